#pragma once

#include <QKeyCombination>
#include <QString>
#include <QtGlobal>
#include <optional>

// Qt's key combinations in the terms of the keyboard layout (XKB keysyms),
// which X11 grabs and the desktop portal's triggers are written in.
class KeySymbols
{
public:
    struct Combination
    {
        quint32 keysym = 0;
        // Shift, Control, Alt and Meta only; the keypad is part of the keysym.
        Qt::KeyboardModifiers modifiers;
        friend bool operator==(const Combination&, const Combination&) = default;
    };

    // Nothing for a key without a keysym of its own (a modifier alone, an unknown key).
    static std::optional<Combination> fromKeyCombination(QKeyCombination combination);
    // The keysym's name as layouts and triggers spell it ("p", "F5", "KP_Add").
    static QString name(quint32 keysym);
    // The portal's form of a combination: "CTRL+ALT+p"; empty when unmappable.
    static QString trigger(QKeyCombination combination);
};
