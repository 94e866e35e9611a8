#pragma once

#include <QString>
#include <chrono>

// Writers of one store take turns through an advisory lock on a file kept
// beside it. Taking it writes nothing to the disk, and the kernel lets it go
// with its holder, so a writer killed half way leaves no lock to clear away.
class StoreLock
{
public:
    enum class State
    {
        taken,
        busy, // held by another writer
        failed
    };

    // Never waits unless given patience: the GUI thread must not stall on a
    // lock another process holds.
    explicit StoreLock(const QString& path,
                       std::chrono::milliseconds patience = std::chrono::milliseconds(0));
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    State state() const { return m_state; }

private:
    int m_fd;
    State m_state = State::failed;
};
