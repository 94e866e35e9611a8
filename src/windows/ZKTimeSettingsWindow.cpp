#include "ZKTimeSettingsWindow.h"

#include "platform/Frame.h"
#include "platform/store/Defaults.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"
#include "views/KPSlider.h"
#include "views/KPTimeEditor.h"
#include "windows/AppDelegateInterface.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

using State = KPTimeBoxManager::State;

// Places the view at (x, the top of the one below + gap) and gives its top.
int stack(QWidget* view, int x, int below, int gap)
{
    Frame::setOrigin(view, x, below + gap);
    return Frame::maxY(Frame::of(view));
}

// "Work Length" of "Work Length:" (or of French "Durée du travail :").
QString title(const QLabel* label)
{
    QString text = label->text();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void load(KPTimeEditor* editor, State state)
{
    editor->setTime(KPTime::fromTotalSeconds(KPTimeBoxManager::lengthFor(state)));
    editor->updateFields();
}

} // namespace

ZKTimeSettingsWindow::ZKTimeSettingsWindow(StatusItem* statusItem)
    : KPUtilityWindow(statusItem, tr("Time Settings"), 140, 270)
{
    QWidget* view = utilityView();
    m_longBreakIntervalSlider = new KPSlider(130, 2, 12, view);
    m_longBreakTimeEditor = new KPTimeEditor(140, 28, view);
    m_shortBreakTimeEditor = new KPTimeEditor(140, 28, view);
    m_workTimeEditor = new KPTimeEditor(140, 28, view);
    m_saveButton = new QPushButton(tr("Save"), view);
    auto* intervalLabel = new QLabel(tr("Long Break Interval:"), view);
    auto* longBreakLabel = new QLabel(tr("Long Break Length:"), view);
    auto* shortBreakLabel = new QLabel(tr("Short Break Length:"), view);
    auto* workLabel = new QLabel(tr("Work Length:"), view);
    for (QWidget* sized : std::initializer_list<QWidget*>{
             m_saveButton, intervalLabel, longBreakLabel, shortBreakLabel, workLabel})
        sized->adjustSize();
    // A language's longer labels widen the window; they keep 5 clear on each side.
    for (const QLabel* label : {intervalLabel, longBreakLabel, shortBreakLabel, workLabel})
        fitWidth(label->width() + 10);
    for (KPTimeEditor* editor : {m_longBreakTimeEditor, m_shortBreakTimeEditor, m_workTimeEditor})
        editor->setButtonType(KPTimeEditor::ButtonType::none);

    // Each label names its control for a screen reader; Tab goes down the
    // column: each length's fields, the slider, Save.
    QList<QWidget*> order;
    const std::pair<QLabel*, KPTimeEditor*> lengths[] = {{workLabel, m_workTimeEditor},
                                                         {shortBreakLabel, m_shortBreakTimeEditor},
                                                         {longBreakLabel, m_longBreakTimeEditor}};
    for (const auto& [label, editor] : lengths) {
        editor->setAccessibleName(title(label));
        editor->setKeepsTabInFields(false);
        label->setBuddy(editor->fields().first());
        for (QLineEdit* field : editor->fields()) {
            field->setAccessibleDescription(title(label));
            order << field;
        }
    }
    QSlider* slider = m_longBreakIntervalSlider->slider();
    slider->setAccessibleName(title(intervalLabel));
    intervalLabel->setBuddy(slider);
    order << slider << m_saveButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // A column built from the bottom up.
    Frame::setOrigin(m_saveButton, (view->width() - m_saveButton->width()) / 2, 0);
    int top = Frame::maxY(Frame::of(m_saveButton));
    top = stack(m_longBreakIntervalSlider, 5, top, 8);
    top = stack(intervalLabel, 5, top, 2);
    top = stack(m_longBreakTimeEditor, 0, top, 8);
    top = stack(longBreakLabel, 5, top, 2);
    top = stack(m_shortBreakTimeEditor, 0, top, 8);
    top = stack(shortBreakLabel, 5, top, 2);
    top = stack(m_workTimeEditor, 0, top, 8);
    stack(workLabel, 5, top, 2);

    connect(m_saveButton, &QPushButton::clicked, this, &ZKTimeSettingsWindow::save);
}

ZKTimeSettingsWindow::~ZKTimeSettingsWindow() = default;

void ZKTimeSettingsWindow::makeKeyAndOrderFront()
{
    load(m_workTimeEditor, State::work);
    load(m_shortBreakTimeEditor, State::shortBreak);
    load(m_longBreakTimeEditor, State::longBreak);
    // An interval below 1 breaks the cycle rule; show, and so save, the one
    // the cycle falls back to.
    const qint64 interval = KPTimeBoxManager::longBreakInterval();
    m_longBreakIntervalSlider->setValue(interval >= 1 ? interval
                                                      : PreferenceKeys::defaultLongBreakInterval);
    QLineEdit* first = m_workTimeEditor->fields().first();
    first->setFocus();
    first->selectAll();
    KPUtilityWindow::makeKeyAndOrderFront();
}

void ZKTimeSettingsWindow::keyPressEvent(QKeyEvent* event)
{
    // Return saves from anywhere in the window, a field being typed in included.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        save();
        return;
    }
    KPUtilityWindow::keyPressEvent(event);
}

void ZKTimeSettingsWindow::save()
{
    // Ending the edit in progress lets its editor commit the field first.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    Defaults& store = Defaults::standard();
    store.setInteger(PreferenceKeys::workLength, m_workTimeEditor->time().totalSeconds());
    store.setInteger(PreferenceKeys::shortBreakLength,
                     m_shortBreakTimeEditor->time().totalSeconds());
    store.setInteger(PreferenceKeys::longBreakLength, m_longBreakTimeEditor->time().totalSeconds());
    store.setInteger(PreferenceKeys::longBreakInterval, m_longBreakIntervalSlider->value());
    close();

    KPTimer* timer = AppDelegateInterface::currentTimer();
    AppDelegateInterface* app = AppDelegateInterface::current();
    if (!timer || !app->timeBoxManager())
        return;
    const State state = app->timeBoxManager()->state();
    timer->setTime(KPTime::fromTotalSeconds(KPTimeBoxManager::lengthFor(state)));
    timer->restart();
}
