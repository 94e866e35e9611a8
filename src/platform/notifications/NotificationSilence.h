#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

// One desktop's way of holding other applications' notifications, through
// its own interface. Every answer comes on the GUI thread, at once or when the
// desktop replies; a desktop that does not answer gives nothing or false.
class NotificationSilence
{
public:
    // Whether the desktop holds notifications now; nothing when it did not answer.
    using Reading = std::function<void(std::optional<bool> silenced)>;
    using Done = std::function<void(bool done)>;

    virtual ~NotificationSilence() = default;

    // Kept in the store while this holds notifications, to find it again after a crash.
    virtual QString name() const = 0;
    virtual void read(Reading reading) = 0;
    virtual void set(bool silenced, Done done) = 0;
    // At quit: lets what is under way finish, waiting at most within.
    virtual void finish(std::chrono::milliseconds within) = 0;
};
