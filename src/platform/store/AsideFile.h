#pragma once

#include <QString>
#include <QStringList>

// Where a file Zembrak cannot use is kept, whole, for the user: beside it,
// under a name stamped with the time, never over anything already there.
namespace AsideFile {

// stem-<yyyyMMdd-hhmmss>extension, or with -2, -3… before the extension
// when that is taken (a dangling link counts as taken).
QString freeName(const QString& stem, const QString& extension = QString());

// Renames path to path.kind-<time>, and path+suffix alongside for each of
// the companions; gives the new name, or an empty one when path stays.
QString move(const QString& path, const QString& kind, const QStringList& companions = {});

} // namespace AsideFile
