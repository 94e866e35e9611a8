#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// How long the user has given no keyboard or pointer input. Asked seldom and
// answered on the GUI thread, at once or when the desktop replies.
class IdleTime : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(std::optional<std::chrono::milliseconds>)>;

    using QObject::QObject;

    virtual bool isAvailable() const = 0;
    // Nothing is answered while another question is open; nothing when unknown.
    virtual void query(Answer answer) = 0;

    // The X server's own count on X11, else what the session's bus offers.
    static std::unique_ptr<IdleTime> create();

Q_SIGNALS:
    void availabilityChanged(bool available);
};
