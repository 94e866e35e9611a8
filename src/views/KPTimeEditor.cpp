#include "KPTimeEditor.h"

#include "platform/Frame.h"
#include "platform/SystemStyle.h"
#include "views/KPTimeEditorButton.h"
#include "views/KPTimeEditorDelegate.h"
#include "views/KPTimeEditorTextView.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace {

// The text's integer value: leading digits with an optional sign, else 0.
qint64 integerValue(const QLineEdit* field)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?[0-9]+)"));
    const QRegularExpressionMatch match = leading.match(field->text());
    bool ok = false;
    const qint64 value = match.hasMatch() ? match.captured(1).toLongLong(&ok) : 0;
    return ok ? value : 0;
}

// A path given in the image's own coordinates (origin bottom left), stroked
// into a transparent image.
QPixmap strokedImage(const QSize& size, const QColor& color, qreal devicePixelRatio,
                     const QPainterPath& path)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0, size.height());
    painter.scale(1, -1);
    painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(path);
    return pixmap;
}

QPainterPath horizontalBar(const QSize& size)
{
    QPainterPath path(QPointF(2, size.height() / 2.0));
    path.lineTo(size.width() - 2, size.height() / 2.0);
    return path;
}

} // namespace

KPTimeEditor::KPTimeEditor(int width, int height, QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, width, height);
    // Created in the row's order, so each part stacks over the one before it.
    m_hours = new KPTimeEditorTextView(this);
    m_hoursMinutesSeparator = new QLabel(QStringLiteral(":"), this);
    m_minutes = new KPTimeEditorTextView(this);
    m_minutesSecondsSeparator = new QLabel(QStringLiteral(":"), this);
    m_seconds = new KPTimeEditorTextView(this);
    m_button = new KPTimeEditorButton(this);
    const QFont font = SystemStyle::monospacedDigitSystemFont(fontSize);
    for (QLineEdit* field : fields()) {
        field->setFont(font);
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this, [this] { textDidEndEditing(true); });
    }
    m_hours->textField()->setAccessibleName(tr("Hours"));
    m_minutes->textField()->setAccessibleName(tr("Minutes"));
    m_seconds->textField()->setAccessibleName(tr("Seconds"));
    m_hoursMinutesSeparator->setFont(font);
    m_minutesSecondsSeparator->setFont(font);
    m_button->setAccessibleName(tr("OK"));
    connect(m_button, &KPTimeEditorButton::clicked, this, &KPTimeEditor::buttonClicked);
}

KPTimeEditor::~KPTimeEditor() = default;

QList<QLineEdit*> KPTimeEditor::fields() const
{
    return {m_hours->textField(), m_minutes->textField(), m_seconds->textField()};
}

void KPTimeEditor::updateFields()
{
    const qint64 components[] = {m_time.hours, m_time.minutes, m_time.seconds};
    const KPTimeEditorTextView* views[] = {m_hours, m_minutes, m_seconds};
    for (int i = 0; i < 3; ++i) {
        views[i]->textField()->setText(KPTime::twoDigitString(components[i]));
        // Lay out again when a field no longer shows its whole text (100 hours).
        if (views[i]->fittingTextWidth() > views[i]->textField()->width() &&
            !m_needsRearrangement) {
            m_needsRearrangement = true;
            update();
        }
    }
}

void KPTimeEditor::commitFields()
{
    qint64 h = integerValue(m_hours->textField());
    qint64 m = integerValue(m_minutes->textField());
    qint64 s = integerValue(m_seconds->textField());
    m += s / 60;
    s -= (s / 60) * 60;
    h += m / 60;
    m -= (m / 60) * 60;
    if (h > KPTime::maximumHours) {
        h = KPTime::maximumHours;
        m = 59;
        s = 59;
    }
    m_time = KPTime{h, m, s};
    updateFields();
}

void KPTimeEditor::setButtonType(ButtonType type)
{
    if (m_buttonType == type)
        return;
    m_buttonType = type;
    m_needsRearrangement = true;
    static const char* const names[] = {QT_TR_NOOP("OK"), QT_TR_NOOP("Delete"), QT_TR_NOOP("Add")};
    m_button->setAccessibleName(type == ButtonType::none ? QString() : tr(names[int(type)]));
    update();
}

void KPTimeEditor::buttonClicked()
{
    commitFields();
    if (m_delegate)
        m_delegate->timeEditorDidConfirm(this);
}

void KPTimeEditor::textDidEndEditing(bool returnPressed)
{
    commitFields();
    if (m_delegate)
        m_delegate->timeEditorDidEndEditing(this);
    if (returnPressed && m_delegate)
        m_delegate->timeEditorDidConfirm(this);
}

bool KPTimeEditor::eventFilter(QObject* watched, QEvent* event)
{
    // Editing ends when a field loses focus, except to its own context menu.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
        fields().contains(watched))
        textDidEndEditing(false);
    return QWidget::eventFilter(watched, event);
}

bool KPTimeEditor::focusNextPrevChild(bool next)
{
    // Tab goes round the three fields: hours, minutes, seconds, hours.
    const QList<QLineEdit*> chain = fields();
    const int at = chain.indexOf(qobject_cast<QLineEdit*>(focusWidget()));
    if (at < 0 || (!m_keepsTabInFields && at == (next ? 2 : 0)))
        return QWidget::focusNextPrevChild(next);
    chain[(at + (next ? 1 : 2)) % 3]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void KPTimeEditor::paintEvent(QPaintEvent*)
{
    updateButton();
}

void KPTimeEditor::updateButton()
{
    const QSize imageSize(fontSize, fontSize);
    switch (m_buttonType) {
    case ButtonType::ok:
        m_button->setImage(&checkmarkImage, imageSize);
        break;
    case ButtonType::delete_:
        m_button->setImage(&minusImage, imageSize);
        break;
    case ButtonType::add:
        m_button->setImage(&plusImage, imageSize);
        break;
    case ButtonType::none:
        m_button->setImage(nullptr, imageSize);
        break;
    }
    m_button->setVisible(m_buttonType != ButtonType::none);
    if (m_needsRearrangement)
        rearrange();
}

void KPTimeEditor::rearrange()
{
    m_hours->sizeToFit();
    m_hoursMinutesSeparator->adjustSize();
    m_minutes->sizeToFit();
    m_minutesSecondsSeparator->adjustSize();
    m_seconds->sizeToFit();
    const int side = m_seconds->height();
    m_button->resize(m_buttonType == ButtonType::none ? 0 : side, side);

    const int w = width();
    const int h = height();
    const int rowWidth = m_hours->width() + m_hoursMinutesSeparator->width() + m_minutes->width() +
                         m_minutesSecondsSeparator->width() + m_seconds->width() +
                         m_button->width() + buttonGap;
    const int x0 = (w - rowWidth) / 2;
    const auto centred = [h](QWidget* view) { return (h - view->height()) / 2; };
    const auto besideOf = [](QWidget* field, QWidget* separator) {
        return Frame::of(field).y() + (field->height() - separator->height()) / 2;
    };
    Frame::setOrigin(m_hours, x0, centred(m_hours));
    Frame::setOrigin(m_hoursMinutesSeparator, Frame::maxX(Frame::of(m_hours)),
                     besideOf(m_hours, m_hoursMinutesSeparator));
    Frame::setOrigin(m_minutes, Frame::maxX(Frame::of(m_hoursMinutesSeparator)),
                     centred(m_minutes));
    Frame::setOrigin(m_minutesSecondsSeparator, Frame::maxX(Frame::of(m_minutes)),
                     besideOf(m_minutes, m_minutesSecondsSeparator));
    Frame::setOrigin(m_seconds, Frame::maxX(Frame::of(m_minutesSecondsSeparator)),
                     centred(m_seconds));
    Frame::setOrigin(m_button, Frame::maxX(Frame::of(m_seconds)) + buttonGap, centred(m_button));
    m_needsRearrangement = false;
}

QPixmap KPTimeEditor::checkmarkImage(const QSize& size, const QColor& color, qreal ratio)
{
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath path(QPointF(2, h / 2));
    path.lineTo(w / 2, 3);
    path.lineTo(w - 2, h - 3);
    return strokedImage(size, color, ratio, path);
}

QPixmap KPTimeEditor::plusImage(const QSize& size, const QColor& color, qreal ratio)
{
    QPainterPath path = horizontalBar(size);
    path.moveTo(size.width() / 2.0, 2);
    path.lineTo(size.width() / 2.0, size.height() - 2);
    return strokedImage(size, color, ratio, path);
}

QPixmap KPTimeEditor::minusImage(const QSize& size, const QColor& color, qreal ratio)
{
    return strokedImage(size, color, ratio, horizontalBar(size));
}
