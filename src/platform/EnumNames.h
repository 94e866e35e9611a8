#pragma once

#include <QMetaEnum>
#include <QString>
#include <optional>

// Where a stored or sent raw value is the enumerator's own name (Q_ENUM).
namespace EnumNames {

template <typename E> QString nameOf(E value)
{
    return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(value)));
}

// Only the plain name: no scope, number or other spelling the meta-object allows.
template <typename E> std::optional<E> fromName(const QString& name)
{
    bool ok = false;
    const int value = QMetaEnum::fromType<E>().keyToValue(name.toLatin1().constData(), &ok);
    if (!ok || nameOf(E(value)) != name)
        return std::nullopt;
    return E(value);
}

} // namespace EnumNames
