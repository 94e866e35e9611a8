#include "KPTimeDigits.h"

#include "platform/Frame.h"
#include "platform/SystemStyle.h"
#include "platform/tray/TrayTimeLayout.h"

#include <QLabel>

namespace {

constexpr int regularFontSize = 14;
constexpr int smallFontSize = 11;
// Labels carry an inset on each side; neighbours overlap by both to read as one string.
constexpr int labelInset = 2;
constexpr int labelOverlap = 2 * labelInset;

QLabel* makeLabel(const QString& text, QWidget* view)
{
    auto* label = new QLabel(text, view);
    label->setContentsMargins(labelInset, 0, labelInset, 0);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void sizeToFit(QLabel* label)
{
    label->resize(label->sizeHint());
}

// Where the label after this one starts.
int after(const QLabel* label)
{
    return Frame::maxX(Frame::of(label)) - labelOverlap;
}

void setTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace

KPTimeDigits::KPTimeDigits(QWidget* view)
    : m_regularFont(SystemStyle::monospacedDigitSystemFont(regularFontSize)),
      m_smallFont(SystemStyle::monospacedDigitSystemFont(smallFontSize)),
      m_hours(makeLabel(QStringLiteral("00"), view)),
      m_hoursMinutesSeparator(makeLabel(QStringLiteral(":"), view)),
      m_minutes(makeLabel(QStringLiteral("00"), view)),
      m_minutesSecondsSeparator(makeLabel(QStringLiteral(":"), view)),
      m_seconds(makeLabel(QStringLiteral("00"), view)),
      m_square(new QLabel(QStringLiteral("00"), view))
{
    m_square->setAlignment(Qt::AlignCenter);
    m_square->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_square->hide();
    m_hours->setFont(m_regularFont);
    sizeToFit(m_hours);
}

bool KPTimeDigits::setTime(const KPTime& time)
{
    const QString hoursText = KPTime::twoDigitString(time.hours);
    // A hundred hours or more needs a wider hours label than the last layout gave.
    const QString squareText = TrayTimeLayout::squareText(time.hours, time.minutes, time.seconds);
    const bool wider = hoursText.size() != m_hours->text().size() ||
                       (m_squareShown && squareText.size() != m_square->text().size());
    m_hours->setText(hoursText);
    m_square->setText(squareText);
    m_minutes->setText(KPTime::twoDigitString(time.minutes));
    m_seconds->setText(KPTime::twoDigitString(time.seconds));
    return wider;
}

bool KPTimeDigits::hoursShown() const
{
    return m_hours->text() != QStringLiteral("00");
}

void KPTimeDigits::layOut(Size size, bool hideSeconds, int left)
{
    m_shownSize = size;
    m_squareShown = false;
    m_square->hide();
    m_minutes->show();
    m_hours->setHidden(!hoursShown());
    m_hoursMinutesSeparator->setHidden(!hoursShown());
    m_seconds->setHidden(hideSeconds);
    m_minutesSecondsSeparator->setHidden(hideSeconds);
    const QFont& font = size == Size::small ? m_smallFont : m_regularFont;
    for (QLabel* label :
         {m_hours, m_hoursMinutesSeparator, m_minutes, m_minutesSecondsSeparator, m_seconds}) {
        label->setFont(font);
        sizeToFit(label);
    }
    if (size == Size::small)
        layOutSmall(hideSeconds, left);
    else
        layOutRegular(left);
}

void KPTimeDigits::layOutRegular(int left)
{
    Frame::setOrigin(m_hours, left, 2);
    Frame::setOrigin(m_hoursMinutesSeparator, after(m_hours), 3);
    Frame::setOrigin(m_minutes,
                     hoursShown() ? after(m_hoursMinutesSeparator) : Frame::of(m_hours).x(), 2);
    Frame::setOrigin(m_minutesSecondsSeparator, after(m_minutes), 3);
    Frame::setOrigin(m_seconds, after(m_minutesSecondsSeparator), 2);
}

void KPTimeDigits::layOutSmall(bool hideSeconds, int left)
{
    constexpr int top = 7;
    constexpr int bottom = -3;
    if (!hoursShown() && hideSeconds) {
        Frame::setOrigin(m_minutes, left, 3);
    } else if (hoursShown() && hideSeconds) {
        Frame::setOrigin(m_hoursMinutesSeparator, left, bottom);
        Frame::setOrigin(m_hours, after(m_hoursMinutesSeparator), top);
        Frame::setOrigin(m_minutes, after(m_hoursMinutesSeparator), bottom);
    } else if (!hoursShown()) {
        Frame::setOrigin(m_minutesSecondsSeparator, left, bottom);
        Frame::setOrigin(m_minutes, after(m_minutesSecondsSeparator), top);
    } else {
        Frame::setOrigin(m_hours, left, top);
        Frame::setOrigin(m_hoursMinutesSeparator, after(m_hours), top);
        Frame::setOrigin(m_minutes, after(m_hoursMinutesSeparator), top);
        Frame::setOrigin(m_minutesSecondsSeparator, Frame::of(m_hoursMinutesSeparator).x(), bottom);
    }
    // The seconds digits stand under the last two digits of the top row.
    Frame::setOrigin(m_seconds, after(m_minutesSecondsSeparator), bottom);
}

void KPTimeDigits::layOutSquare(QSize slot)
{
    m_squareShown = true;
    for (QLabel* label :
         {m_hours, m_hoursMinutesSeparator, m_minutes, m_minutesSecondsSeparator, m_seconds})
        label->hide();
    // Under the period's bar (the view's top 2 px of 21), a pixel clear of every edge.
    constexpr int barHeight = 2;
    constexpr int below = 19;
    m_square->setFont(
        TrayTimeLayout::fittingFont(m_square->text(), QSize(slot.width() - 2, below - 2)));
    m_square->setGeometry(0, barHeight, slot.width(), below);
    m_square->show();
}

int KPTimeDigits::contentWidth() const
{
    if (m_squareShown)
        return m_square->width();
    const QLabel* last =
        m_shownSize == Size::small || m_seconds->isHidden() ? m_minutes : m_seconds;
    return Frame::maxX(Frame::of(last)) - 1;
}

bool KPTimeDigits::secondsShown() const
{
    return !m_seconds->isHidden();
}

void KPTimeDigits::paint(bool highlighted, bool running, const QPalette& palette)
{
    QColor digits = Qt::white;
    QColor separators = SystemStyle::withAlpha(Qt::white, 0.5);
    if (!highlighted) {
        digits = SystemStyle::readableOn(running ? SystemStyle::labelColor(palette)
                                                 : SystemStyle::secondaryLabelColor(palette),
                                         palette.color(QPalette::Window));
        separators = SystemStyle::tertiaryLabelColor(palette);
    }
    for (QLabel* label : {m_hours, m_minutes, m_seconds, m_square})
        setTextColor(label, digits);
    for (QLabel* label : {m_hoursMinutesSeparator, m_minutesSecondsSeparator})
        setTextColor(label, separators);
}

QString KPTimeDigits::text(bool hideSeconds) const
{
    QString text = hoursShown() ? m_hours->text() + QLatin1Char(':') : QString();
    text += m_minutes->text();
    if (!hideSeconds)
        text += QLatin1Char(':') + m_seconds->text();
    return text;
}

QString KPTimeDigits::spokenText(const KPTime& time, bool countsUp)
{
    QString text = time.hours != 0 ? QString::number(time.hours) + QLatin1Char(':') : QString();
    text += KPTime::twoDigitString(time.minutes) + QLatin1Char(':') +
            KPTime::twoDigitString(time.seconds);
    return countsUp ? tr("%1 elapsed").arg(text) : tr("%1 remaining").arg(text);
}

QString KPTimeDigits::squareText() const
{
    return m_square->text();
}
