#include "KPTimeEditorTextView.h"

#include "platform/SystemStyle.h"

#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace {

// What a frameless line edit keeps around its text: two pixels of margin on
// each side and one for the cursor after the last character.
constexpr int lineEditHorizontalExtra = 2 * 2 + 1;
constexpr int lineEditVerticalExtra = 2 * 1;

} // namespace

KPTimeEditorTextView::KPTimeEditorTextView(QWidget* parent) : QWidget(parent)
{
    m_textField = new QLineEdit(QStringLiteral("00"), this);
    m_textField->move(inset, inset);
    m_textField->setFrame(false);
    QPalette palette = m_textField->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    m_textField->setPalette(palette);
    // Digits only: no sign, and never a number that could overflow a carry.
    m_textField->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("0*[0-9]{0,%1}").arg(maximumDigits)), m_textField));
}

int KPTimeEditorTextView::fittingTextWidth() const
{
    return m_textField->fontMetrics().horizontalAdvance(m_textField->text()) +
           lineEditHorizontalExtra;
}

void KPTimeEditorTextView::sizeToFit()
{
    m_textField->resize(fittingTextWidth(),
                        m_textField->fontMetrics().height() + lineEditVerticalExtra);
    resize(m_textField->width() + 2 * inset, m_textField->height() + 2 * inset);
}

void KPTimeEditorTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SystemStyle::tertiaryLabelColor(palette()), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
