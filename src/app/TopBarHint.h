#pragma once

#include <QObject>
#include <chrono>
#include <functional>

class StatusItem;

// Plain GNOME has no tray and no StatusNotifierItem host: the item floats in
// a window of its own. Once, a while after the first such start, the user is
// told how to have the time in the top bar instead.
class TopBarHint : public QObject
{
    Q_OBJECT

public:
    // A panel that starts after us docks the item within this time.
    static constexpr std::chrono::seconds patience{20};

    using Notify = std::function<void(const QString& summary, const QString& body)>;
    TopBarHint(const StatusItem& item, Notify notify, QObject* parent = nullptr);

private:
    void check();

    const StatusItem& m_item;
    Notify m_notify;
};
