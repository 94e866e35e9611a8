#include "Sound.h"

#include "QtSound.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

const QStringList systemSoundExtensions{QStringLiteral("oga"), QStringLiteral("ogg"),
                                        QStringLiteral("wav"), QStringLiteral("flac")};

Sound::Provider& installedProvider()
{
    static Sound::Provider provider;
    return provider;
}

// A name is a title, never a path: "../x" or "/etc/x" must not reach the disk.
bool isTitle(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar::Null);
}

} // namespace

std::shared_ptr<Sound> Sound::named(const QString& name)
{
    if (installedProvider())
        return installedProvider()(name);
    if (!isTitle(name))
        return nullptr;

    const QString resource = QStringLiteral(":/sounds/") + name + QStringLiteral(".wav");
    if (QFileInfo::exists(resource))
        return QtSound::load(name, resource);
    for (const QString& extension : systemSoundExtensions) {
        const QString path =
            systemSoundFolder() + QLatin1Char('/') + name + QLatin1Char('.') + extension;
        if (!QFileInfo(path).isFile())
            continue;
        if (auto sound = QtSound::load(name, path))
            return sound;
    }
    return nullptr;
}

QString Sound::systemSoundFolder()
{
    return QStringLiteral("/usr/share/sounds/freedesktop/stereo");
}

QStringList Sound::systemSoundNames(const QString& folder)
{
    QStringList patterns;
    for (const QString& extension : systemSoundExtensions)
        patterns << QStringLiteral("*.") + extension;
    QStringList names;
    const QFileInfoList files = QDir(folder).entryInfoList(patterns, QDir::Files);
    for (const QFileInfo& file : files)
        names << file.completeBaseName();
    names.sort();
    names.removeDuplicates();
    return names;
}

void Sound::setProvider(Provider provider)
{
    installedProvider() = std::move(provider);
}
