#include "FileIdentity.h"

#include <QFile>
#include <sys/stat.h>

std::optional<FileIdentity> FileIdentity::of(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{qint64(info.st_dev), qint64(info.st_ino)};
}
