#pragma once

#include <QObject>
#include <memory>

class Defaults;
class KPMenuBarTimeDisplay;
class KPTaskManager;
class QAction;
class StatusItemWindow;
class ZKTimerView;

// "Show Timer Window": the small frameless window the tray item floats in
// where there is no tray, chosen on purpose and holding the timer view. The
// user moves it by its face; its place is kept per set of screens, and its
// context menu keeps it above other windows or hides it.
class ZKTimerWindow : public QObject
{
    Q_OBJECT

public:
    ZKTimerWindow(KPMenuBarTimeDisplay& display, KPTaskManager* tasks, Defaults& store,
                  QObject* parent = nullptr);
    ~ZKTimerWindow() override;

    StatusItemWindow* window() const { return m_window.get(); }
    ZKTimerView* view() const { return m_view; }
    QAction* keepOnTopItem() const { return m_keepOnTopItem; }
    QAction* hideItem() const { return m_hideItem; }

    bool isShown() const;
    void setShown(bool shown);
    bool isKeptOnTop() const;
    void setKeptOnTop(bool onTop);
    // Stores where the window stands now, for the screens as they are.
    void keepPlace();

Q_SIGNALS:
    // The window's own "Hide Timer Window" was chosen.
    void hideRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restorePlace();

    Defaults& m_store;
    std::unique_ptr<StatusItemWindow> m_window;
    ZKTimerView* m_view = nullptr; // the window's child
    QAction* m_keepOnTopItem = nullptr;
    QAction* m_hideItem = nullptr;
    bool m_placeDue = false;
};
