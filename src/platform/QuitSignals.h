#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the session ending, Ctrl+C, a closed terminal)
// are told as received(), on the GUI thread's loop, so the run can end as Quit
// ends it and keep what quitting keeps. The handler only writes to an eventfd:
// nothing wakes until a signal comes, and no signal mask is passed on to the
// programs the application starts.
class QuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    void received();

private:
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
