#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// How the time is shown in the room a tray gives it, for the docked view and
// the picture of hosts that draw the item alike: one row or two where they
// fit, else the minutes alone in digits as large as the room allows, which a
// square slot or icon still shows readably.
class TrayTimeLayout
{
public:
    enum class Form
    {
        oneRow,
        twoRows,
        square
    };

    // The preferred form where it is no wider than the room, else the square
    // one. An invalid room is a host that gives what is asked.
    static Form choose(Form preferred, int preferredWidth, QSize room);
    // The square form's digits: the whole minutes, the seconds in the last minute.
    static QString squareText(qint64 hours, qint64 minutes, qint64 seconds);
    // The height digits must reach in a room this tall to read (11 px in 22).
    static int readableDigitHeight(int roomHeight) { return (roomHeight + 1) / 2; }
    // The largest bold fixed-pitch font whose digits of text fit the box.
    static QFont fittingFont(const QString& text, QSize box);
};
