#pragma once

#include <QString>
#include <QtGlobal>

struct stat;

// What tells one version of a file from the next. It is sound only while the
// version stamped is held open (no other file can then take its inode number)
// and while whoever rewrites a file in place moves its time forward.
struct FileStamp
{
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modified = -1;
    qint64 changed = -1;
    qint64 mode = -1;
    bool operator==(const FileStamp&) const = default;

    static FileStamp of(const struct stat& info);
    // Empty when there is no such file.
    static FileStamp ofPath(const QString& path);
    // After a rewrite in place of the file open as fd, stamped before as
    // `before`: the clock, a few milliseconds coarse, may not have moved since.
    static void moveTimeForward(int fd, const struct stat& before);
};
