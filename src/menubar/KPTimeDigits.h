#pragma once

#include "timing/KPTime.h"

#include <QCoreApplication>
#include <QFont>

class QPalette;
class QLabel;
class QWidget;

// The shown time as two-digit labels for hours, minutes and seconds with their
// separators, laid out in one row (regular) or in two (small); or, in a slot
// too narrow for them, the time's square form in one large label. The labels
// are children of the view they are made in; this lays them out and paints them.
class KPTimeDigits
{
    Q_DECLARE_TR_FUNCTIONS(KPTimeDigits)

public:
    enum class Size
    {
        small,
        regular
    };

    explicit KPTimeDigits(QWidget* view);

    QLabel* hours() const { return m_hours; }
    QLabel* minutes() const { return m_minutes; }
    QLabel* seconds() const { return m_seconds; }
    QLabel* hoursMinutesSeparator() const { return m_hoursMinutesSeparator; }
    QLabel* minutesSecondsSeparator() const { return m_minutesSecondsSeparator; }
    QFont regularFont() const { return m_regularFont; }
    QFont smallFont() const { return m_smallFont; }

    // Writes the digits; true when the hours need a wider label than the last layout gave.
    bool setTime(const KPTime& time);
    void layOut(Size size, bool hideSeconds, int left);
    // The square form alone, as large as fits a slot of this size.
    void layOutSquare(QSize slot);
    bool squareShown() const { return m_squareShown; }
    QLabel* square() const { return m_square; }
    // Where the last shown digits end.
    int contentWidth() const;
    bool secondsShown() const;
    // White on the highlight; otherwise the panel's label colour, dimmed while
    // paused but never below what reads on the panel.
    void paint(bool highlighted, bool running, const QPalette& palette);
    // The time as text in the chosen layout, for hosts that print it beside a picture.
    QString text(bool hideSeconds) const;
    QString squareText() const;
    // What a screen reader says of the item: the whole time, seconds shown or not.
    static QString spokenText(const KPTime& time, bool countsUp);

private:
    bool hoursShown() const;
    void layOutSmall(bool hideSeconds, int left);
    void layOutRegular(int left);

    QFont m_regularFont;
    QFont m_smallFont;
    QLabel* m_hours;
    QLabel* m_hoursMinutesSeparator;
    QLabel* m_minutes;
    QLabel* m_minutesSecondsSeparator;
    QLabel* m_seconds;
    QLabel* m_square;
    Size m_shownSize = Size::regular;
    bool m_squareShown = false;
};
