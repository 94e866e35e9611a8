#include "KeySymbols.h"

#include <QStringList>
#include <xkbcommon/xkbcommon.h>

namespace {

struct KeyPair
{
    Qt::Key key;
    quint32 keysym;
};

// Keys that produce no text, outside the function-key run.
constexpr KeyPair specialKeys[] = {
    {Qt::Key_Escape, XKB_KEY_Escape},
    {Qt::Key_Tab, XKB_KEY_Tab},
    {Qt::Key_Backtab, XKB_KEY_ISO_Left_Tab},
    {Qt::Key_Backspace, XKB_KEY_BackSpace},
    {Qt::Key_Return, XKB_KEY_Return},
    {Qt::Key_Enter, XKB_KEY_KP_Enter},
    {Qt::Key_Insert, XKB_KEY_Insert},
    {Qt::Key_Delete, XKB_KEY_Delete},
    {Qt::Key_Pause, XKB_KEY_Pause},
    {Qt::Key_Print, XKB_KEY_Print},
    {Qt::Key_SysReq, XKB_KEY_Sys_Req},
    {Qt::Key_Clear, XKB_KEY_Clear},
    {Qt::Key_Home, XKB_KEY_Home},
    {Qt::Key_End, XKB_KEY_End},
    {Qt::Key_Left, XKB_KEY_Left},
    {Qt::Key_Up, XKB_KEY_Up},
    {Qt::Key_Right, XKB_KEY_Right},
    {Qt::Key_Down, XKB_KEY_Down},
    {Qt::Key_PageUp, XKB_KEY_Prior},
    {Qt::Key_PageDown, XKB_KEY_Next},
    {Qt::Key_ScrollLock, XKB_KEY_Scroll_Lock},
    {Qt::Key_Menu, XKB_KEY_Menu},
    {Qt::Key_Help, XKB_KEY_Help},
    {Qt::Key_VolumeDown, XKB_KEY_XF86AudioLowerVolume},
    {Qt::Key_VolumeMute, XKB_KEY_XF86AudioMute},
    {Qt::Key_VolumeUp, XKB_KEY_XF86AudioRaiseVolume},
    {Qt::Key_MediaPlay, XKB_KEY_XF86AudioPlay},
    {Qt::Key_MediaTogglePlayPause, XKB_KEY_XF86AudioPlay},
    {Qt::Key_MediaStop, XKB_KEY_XF86AudioStop},
    {Qt::Key_MediaPrevious, XKB_KEY_XF86AudioPrev},
    {Qt::Key_MediaNext, XKB_KEY_XF86AudioNext},
    {Qt::Key_MediaPause, XKB_KEY_XF86AudioPause},
};

// The same keys on the keypad (Qt marks them with the keypad modifier).
constexpr KeyPair keypadKeys[] = {
    {Qt::Key_Asterisk, XKB_KEY_KP_Multiply}, {Qt::Key_Plus, XKB_KEY_KP_Add},
    {Qt::Key_Comma, XKB_KEY_KP_Separator},   {Qt::Key_Minus, XKB_KEY_KP_Subtract},
    {Qt::Key_Period, XKB_KEY_KP_Decimal},    {Qt::Key_Slash, XKB_KEY_KP_Divide},
    {Qt::Key_Equal, XKB_KEY_KP_Equal},       {Qt::Key_Enter, XKB_KEY_KP_Enter},
    {Qt::Key_Home, XKB_KEY_KP_Home},         {Qt::Key_End, XKB_KEY_KP_End},
    {Qt::Key_Left, XKB_KEY_KP_Left},         {Qt::Key_Up, XKB_KEY_KP_Up},
    {Qt::Key_Right, XKB_KEY_KP_Right},       {Qt::Key_Down, XKB_KEY_KP_Down},
    {Qt::Key_PageUp, XKB_KEY_KP_Prior},      {Qt::Key_PageDown, XKB_KEY_KP_Next},
    {Qt::Key_Insert, XKB_KEY_KP_Insert},     {Qt::Key_Delete, XKB_KEY_KP_Delete},
    {Qt::Key_Clear, XKB_KEY_KP_Begin},
};

template <std::size_t N> quint32 lookUp(const KeyPair (&pairs)[N], Qt::Key key)
{
    for (const KeyPair& pair : pairs)
        if (pair.key == key)
            return pair.keysym;
    return XKB_KEY_NoSymbol;
}

quint32 keysymOf(Qt::Key key, bool keypad)
{
    if (keypad) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return XKB_KEY_KP_0 + (key - Qt::Key_0);
        if (const quint32 keysym = lookUp(keypadKeys, key))
            return keysym;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return XKB_KEY_F1 + (key - Qt::Key_F1);
    if (key < Qt::Key_Escape) {
        // A key that types a character: Qt names letters by their capital,
        // layouts by the character typed without Shift.
        return xkb_keysym_to_lower(xkb_utf32_to_keysym(char32_t(key)));
    }
    return lookUp(specialKeys, key);
}

} // namespace

std::optional<KeySymbols::Combination> KeySymbols::fromKeyCombination(QKeyCombination combination)
{
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const quint32 keysym = keysymOf(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (keysym == XKB_KEY_NoSymbol)
        return std::nullopt;
    return Combination{keysym, modifiers & (Qt::ShiftModifier | Qt::ControlModifier |
                                            Qt::AltModifier | Qt::MetaModifier)};
}

QString KeySymbols::name(quint32 keysym)
{
    char buffer[64];
    const int length = xkb_keysym_get_name(keysym, buffer, sizeof buffer);
    return length > 0 ? QString::fromLatin1(buffer, qMin(length, int(sizeof buffer) - 1))
                      : QString();
}

QString KeySymbols::trigger(QKeyCombination combination)
{
    const std::optional<Combination> mapped = fromKeyCombination(combination);
    if (!mapped)
        return QString();
    QStringList parts;
    const std::pair<Qt::KeyboardModifier, const char*> modifiers[] = {{Qt::ControlModifier, "CTRL"},
                                                                      {Qt::AltModifier, "ALT"},
                                                                      {Qt::ShiftModifier, "SHIFT"},
                                                                      {Qt::MetaModifier, "LOGO"}};
    for (const auto& [modifier, text] : modifiers)
        if (mapped->modifiers.testFlag(modifier))
            parts.append(QString::fromLatin1(text));
    parts.append(name(mapped->keysym));
    return parts.join(QLatin1Char('+'));
}
