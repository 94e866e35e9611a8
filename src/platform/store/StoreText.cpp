#include "StoreText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

qsizetype skipSpace(const QByteArray& b, qsizetype p)
{
    while (p < b.size() && (b[p] == ' ' || b[p] == '\n' || b[p] == '\r' || b[p] == '\t'))
        ++p;
    return p;
}

// Past the string starting at p, or -1.
qsizetype skipString(const QByteArray& b, qsizetype p)
{
    for (++p; p < b.size(); ++p) {
        if (b[p] == '\\')
            ++p;
        else if (b[p] == '"')
            return p + 1;
    }
    return -1;
}

// Past the value starting at p, which the parser has found sound already.
qsizetype skipValue(const QByteArray& b, qsizetype p)
{
    if (p >= b.size())
        return -1;
    if (b[p] == '"')
        return skipString(b, p);
    if (b[p] != '{' && b[p] != '[') {
        while (p < b.size() && !QByteArrayView(",}] \n\r\t").contains(b[p]))
            ++p;
        return p;
    }
    int depth = 0;
    while (p >= 0 && p < b.size()) {
        const char c = b[p];
        if (c == '"') {
            p = skipString(b, p);
            continue;
        }
        depth += (c == '{' || c == '[') - (c == '}' || c == ']');
        ++p;
        if (depth == 0)
            return p;
    }
    return -1;
}

// "key": value, as a whole document indents a member of its top level.
QByteArray memberText(const QString& key, const QJsonValue& value)
{
    const QByteArray document = QJsonDocument(QJsonObject{{key, value}}).toJson();
    return document.mid(6, document.size() - 6 - 3); // past "{\n    ", before "\n}\n"
}

QByteArray valueText(const QJsonValue& value)
{
    return memberText(QStringLiteral(""), value).mid(4); // past "":
}

bool isPlain(char c)
{
    return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
}

} // namespace

bool StoreText::assign(const QByteArray& bytes)
{
    m_bytes = bytes;
    if (index())
        return true;
    clear();
    return false;
}

void StoreText::clear()
{
    m_bytes.clear();
    m_members.clear();
    m_positions.clear();
}

bool StoreText::index()
{
    m_members.clear();
    m_positions.clear();
    const QByteArray& b = m_bytes;
    qsizetype p = skipSpace(b, 0);
    if (p >= b.size() || b[p] != '{')
        return false;
    m_open = p;
    p = skipSpace(b, p + 1);
    while (p < b.size() && b[p] != '}') {
        Member member{p, 0, 0};
        const qsizetype keyEnd = skipString(b, p);
        if (b[p] != '"' || keyEnd < 0)
            return false;
        const QByteArray quoted = b.mid(p, keyEnd - p);
        const QString key =
            quoted.contains('\\')
                ? QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString()
                : QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
        p = skipSpace(b, keyEnd);
        if (p >= b.size() || b[p] != ':')
            return false;
        member.valueStart = skipSpace(b, p + 1);
        member.valueEnd = skipValue(b, member.valueStart);
        if (member.valueEnd < 0 || m_positions.contains(key))
            return false;
        m_positions.insert(key, qsizetype(m_members.size()));
        m_members.push_back(member);
        p = skipSpace(b, member.valueEnd);
        if (p < b.size() && b[p] == ',')
            p = skipSpace(b, p + 1);
    }
    m_close = p;
    return p < b.size();
}

void StoreText::replace(qsizetype start, qsizetype end, const QByteArray& with)
{
    m_bytes.replace(start, end - start, with);
    const qsizetype shift = with.size() - (end - start);
    for (Member& member : m_members) {
        if (member.keyStart >= end) {
            member.keyStart += shift;
            member.valueStart += shift;
            member.valueEnd += shift;
        }
    }
    m_close += shift;
}

void StoreText::set(const QString& key, const QJsonValue& value)
{
    const auto found = m_positions.constFind(key);
    if (found != m_positions.cend() && !value.isUndefined()) {
        Member& member = m_members[size_t(*found)];
        const QByteArray text = valueText(value);
        replace(member.valueStart, member.valueEnd, text);
        member.valueEnd = member.valueStart + text.size();
    } else if (found != m_positions.cend()) {
        // With the separator before it, or after it when it comes first.
        const size_t n = size_t(*found);
        if (n > 0)
            replace(m_members[n - 1].valueEnd, m_members[n].valueEnd, {});
        else if (m_members.size() > 1)
            replace(m_members[0].keyStart, m_members[1].keyStart, {});
        else
            replace(m_open + 1, m_close, "\n");
        index();
    } else if (!value.isUndefined()) {
        if (m_members.empty())
            replace(m_open + 1, m_close, "\n    " + memberText(key, value) + '\n');
        else
            replace(m_members.back().valueEnd, m_members.back().valueEnd,
                    ",\n    " + memberText(key, value));
        index();
    }
}

std::optional<StoreText::Overwrite> StoreText::overwrite(const QString& key,
                                                         const QJsonValue& value) const
{
    const auto found = m_positions.constFind(key);
    if (found == m_positions.cend() || value.isUndefined())
        return std::nullopt;
    const Member& member = m_members[size_t(*found)];
    const QByteArray old = m_bytes.mid(member.valueStart, member.valueEnd - member.valueStart);
    QByteArray now = valueText(value);
    // Only plain characters inside strings may differ: the quotes then stand
    // where they stood, and no mix of the two can end a string or break UTF-8.
    if (now.size() != old.size() || old.contains('\\') || now.contains('\\'))
        return std::nullopt;
    bool inString = false;
    for (qsizetype i = 0; i < old.size(); ++i) {
        if (old[i] != now[i] && !(inString && isPlain(old[i]) && isPlain(now[i])))
            return std::nullopt;
        if (old[i] == '"')
            inString = !inString;
    }
    return Overwrite{member.valueStart, std::move(now)};
}
