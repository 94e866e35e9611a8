#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <vector>

// A store's file as it stands on disk, with where each member's value lies in
// it, so that one member is changed and every other byte is left as it was:
// the sibling's data, in the sibling's formatting, is neither parsed nor
// written again.
class StoreText
{
public:
    // False (and empty) unless the bytes are one JSON object whose members
    // are named once each.
    bool assign(const QByteArray& bytes);
    void clear();
    bool isEmpty() const { return m_bytes.isEmpty(); }
    const QByteArray& bytes() const { return m_bytes; }

    // Puts the value in the member's place, appended when new; an undefined
    // value removes the member.
    void set(const QString& key, const QJsonValue& value);

    struct Overwrite
    {
        qsizetype offset;
        QByteArray bytes;
    };
    // The bytes that give the member its new value in place, when the file
    // keeps its length and every mix of old and new bytes (a reader or a
    // crash meeting the write half done) still parses as the same members.
    std::optional<Overwrite> overwrite(const QString& key, const QJsonValue& value) const;

private:
    struct Member
    {
        qsizetype keyStart;
        qsizetype valueStart;
        qsizetype valueEnd;
    };

    bool index();
    void replace(qsizetype start, qsizetype end, const QByteArray& with);

    QByteArray m_bytes;
    qsizetype m_open = 0; // the object's braces
    qsizetype m_close = 0;
    std::vector<Member> m_members; // in file order
    QHash<QString, qsizetype> m_positions;
};
