#include "ZKBreakScreenPanel.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

QLabel* label(int pointSize, QWidget* parent)
{
    auto* text = new QLabel(parent);
    QFont font = text->font();
    font.setPointSize(pointSize);
    text->setFont(font);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setStyleSheet(QStringLiteral("color: white"));
    return text;
}

} // namespace

ZKBreakScreenPanel::ZKBreakScreenPanel(QScreen* screen, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_screen(screen), m_title(label(28, this)), m_time(label(48, this)), m_task(label(18, this)),
      m_skip(new QPushButton(tr("Skip Break"), this)),
      m_postpone(new QPushButton(tr("Postpone 1 Minute"), this))
{
    setObjectName(QStringLiteral("ZKBreakScreenPanel"));
    setWindowTitle(tr("Break Screen"));
    setAccessibleName(tr("Break Screen"));
    setAccessibleDescription(tr("Escape closes it; the break goes on."));
    // Dimmed where a compositor blends it, dark where none does.
    setAttribute(Qt::WA_TranslucentBackground);
    for (QPushButton* button : {m_skip, m_postpone}) {
        QFont font = button->font();
        font.setPointSize(16);
        button->setFont(font);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_postpone);
    buttons->addWidget(m_skip);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addStretch();
    column->addWidget(m_title);
    column->addWidget(m_time);
    column->addWidget(m_task);
    column->addSpacing(24);
    column->addLayout(buttons);
    column->addStretch();
    connect(m_skip, &QPushButton::clicked, this, &ZKBreakScreenPanel::skipClicked);
    connect(m_postpone, &QPushButton::clicked, this, &ZKBreakScreenPanel::postponeClicked);
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
}

void ZKBreakScreenPanel::setTexts(const QString& title, const QString& time,
                                  const QString& spokenTime, const QString& task)
{
    m_title->setText(title);
    m_time->setText(time);
    m_time->setAccessibleName(spokenTime);
    m_task->setText(task);
    m_task->setVisible(!task.isEmpty());
}

void ZKBreakScreenPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        Q_EMIT escapePressed();
    else
        QWidget::keyPressEvent(event);
}

void ZKBreakScreenPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 200));
}
