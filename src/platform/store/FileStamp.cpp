#include "FileStamp.h"

#include <QFile>
#include <sys/stat.h>

namespace {

qint64 nanoseconds(const timespec& t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

FileStamp FileStamp::of(const struct stat& info)
{
    return {qint64(info.st_dev),       qint64(info.st_ino),       qint64(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim), qint64(info.st_mode & 07777)};
}

FileStamp FileStamp::ofPath(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return of(info);
}

void FileStamp::moveTimeForward(int fd, const struct stat& before)
{
    struct stat after
    {};
    if (::fstat(fd, &after) != 0 || nanoseconds(after.st_mtim) > nanoseconds(before.st_mtim))
        return;
    const qint64 next = nanoseconds(before.st_mtim) + 1;
    const timespec times[2] = {{0, UTIME_OMIT},
                               {time_t(next / 1000000000), long(next % 1000000000)}};
    ::futimens(fd, times);
}
