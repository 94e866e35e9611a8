#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A sound found by name: the application's own sounds first, then the system
// sound theme. Without an audio device a sound plays nothing; the timer keeps
// working silently.
class Sound
{
public:
    using Provider = std::function<std::shared_ptr<Sound>(const QString& name)>;

    virtual ~Sound() = default;

    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    virtual void setLoops(bool loops) = 0;
    virtual bool loops() const = 0;
    virtual void setVolume(float volume) = 0;
    virtual float volume() const = 0;
    // Seconds, known once the sound is loaded.
    virtual double duration() const = 0;
    virtual QString name() const = 0;

    // None when no sound has that name or its file cannot be read.
    static std::shared_ptr<Sound> named(const QString& name);
    // The freedesktop sound theme's folder, the second place names are looked up.
    static QString systemSoundFolder();
    // Titles of the sound files in a folder (names without extension), sorted.
    static QStringList systemSoundNames(const QString& folder = systemSoundFolder());
    // Replaces the lookup (tests); an empty provider restores the real one.
    static void setProvider(Provider provider);
};
