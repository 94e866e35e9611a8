#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QRandomGenerator>
#include <utility>

// Random JSON and bytes from a seed: values nested a few levels deep, objects
// keyed by the given names, and records that are mostly well formed. Atoms are
// often of the wrong type or size, or no JSON at all.
class JsonFuzz
{
public:
    // A record member: its key and a value of the right type.
    using Field = std::pair<QByteArray, QByteArray>;

    JsonFuzz(quint32 seed, QByteArrayList keys, QList<Field> record)
        : m_random(seed), m_keys(std::move(keys)), m_record(std::move(record))
    {}

    int below(int n) { return int(m_random.bounded(n)); }
    QByteArray atom()
    {
        static const QByteArrayList atoms =
            QByteArray(R"(0 -0 1 -1 1.5 1e308 -1e308 1e400 -1e400 1e-400 9223372036854775807 )"
                       R"(9223372036854775808 -9223372036854775809 18446744073709551616 true )"
                       R"(false null "" "x" "\ud800" "\u0000" "\q" NaN Infinity [] {} "id" 01 1. )"
                       R"(.5 +1 0x10)")
                .split(' ')
            << "\xff\xfe"
            << "\"\xc3\x28\"";
        return atoms[below(int(atoms.size()))];
    }
    QByteArray value(int depth)
    {
        const int kind = depth > 4 ? 0 : below(4);
        return kind == 0   ? atom()
               : kind == 1 ? '[' + list(depth, false) + ']'
               : kind == 2 ? '{' + list(depth, true) + '}'
                           : record();
    }
    // The record with one member now and then missing or odd.
    QByteArray record()
    {
        QByteArrayList members;
        for (const auto& [key, good] : m_record)
            if (below(6) != 0)
                members << '"' + key + "\":" + (below(4) == 0 ? atom() : good);
        return '{' + members.join(',') + '}';
    }
    QByteArray list(int depth, bool keyed)
    {
        QByteArrayList items;
        for (int n = below(4); n > 0; --n) {
            const QByteArray item = value(depth + 1);
            items << (keyed ? '"' + m_keys[below(int(m_keys.size()))] + "\":" + item : item);
        }
        return items.join(',');
    }
    QByteArray bytes()
    {
        QByteArray data;
        for (int n = below(64); n > 0; --n)
            data += char(below(256));
        return data;
    }
    // The text with a few bytes changed, dropped, doubled or added, or cut short.
    QByteArray mutated(QByteArray text)
    {
        for (int n = 1 + below(4); n > 0 && !text.isEmpty(); --n) {
            const int at = below(int(text.size()));
            const int kind = below(5);
            if (kind == 0)
                text[at] = char(below(256));
            else if (kind == 1)
                text.remove(at, 1 + below(8));
            else if (kind == 2)
                text.insert(at, text.mid(at, 1 + below(16)));
            else if (kind == 3)
                text.insert(at, atom());
            else
                text.truncate(at);
        }
        return text;
    }

private:
    QRandomGenerator m_random;
    QByteArrayList m_keys;
    QList<Field> m_record;
};
