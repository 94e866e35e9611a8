#pragma once

#include <QString>
#include <optional>

// Which file a path names now: another file put in its place, or the file
// deleted and made again, has another identity.
struct FileIdentity
{
    qint64 device = -1;
    qint64 inode = -1;
    bool operator==(const FileIdentity&) const = default;

    // Nothing when the path names no file.
    static std::optional<FileIdentity> of(const QString& path);
};
