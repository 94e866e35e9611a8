#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <vector>

struct HistoryRecord;
class FullScreenFocus;
class KPTaskManager;
class KPTimeBoxManager;
class PeriodRecorder;
class QScreen;
class ZKBreakScreenPanel;

// While the user wants it, covers every monitor, those plugged in meanwhile
// too, when a break starts, and goes when it ends. Escape closes it for the
// rest of the break; postponed, it comes back a minute later. It waits while
// the focused window is full screen.
class ZKBreakScreen : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::minutes postponement{1};
    static constexpr std::chrono::seconds fullScreenRecheck{1};

    // Without a focus to ask, no window counts as full screen.
    ZKBreakScreen(PeriodRecorder& recorder, KPTimeBoxManager& manager, const KPTaskManager* tasks,
                  std::unique_ptr<FullScreenFocus> focus, QObject* parent = nullptr);
    ~ZKBreakScreen() override;

    // One panel a monitor while shown; none otherwise.
    const std::vector<std::unique_ptr<ZKBreakScreenPanel>>& panels() const { return m_panels; }

    // What the panels' buttons and Escape do.
    void skip();
    void postpone();
    void close();

private:
    void started(const QString& kind);
    void ended(const HistoryRecord& record);
    // Shows the panels unless a full-screen window has the focus, then asks again.
    void showWhenFree(quint64 breakNumber);
    void addPanel(QScreen* screen);
    void removePanel(QScreen* screen);
    void clearPanels();
    void updateTexts();

    KPTimeBoxManager& m_manager;
    const KPTaskManager* m_tasks;
    const std::unique_ptr<FullScreenFocus> m_focus;
    std::vector<std::unique_ptr<ZKBreakScreenPanel>> m_panels;
    bool m_inBreak = false;
    quint64 m_breakNumber = 0;
};
