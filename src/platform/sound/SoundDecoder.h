#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// libsndfile behind the sounds: what an audio file holds, and a WAV copy of
// what Qt's sound effect cannot play itself (Ogg Vorbis, FLAC, unusual WAV).
class SoundDecoder
{
public:
    struct Info
    {
        double duration = 0.0; // seconds
        // 16-bit PCM WAV in one or two channels, which QSoundEffect plays as it is.
        bool playableAsIs = false;
    };

    // None when the file or bytes are not audio that libsndfile can read.
    static std::optional<Info> inspect(const QString& path);
    static std::optional<Info> inspect(const QByteArray& data);

    // The cached WAV decoded from `source`; decodes it when there is none yet or
    // the source changed since. Empty when the source cannot be decoded.
    static QString cachedWav(const QString& source);
    // $XDG_CACHE_HOME/zembrak/sounds (~/.cache when unset).
    static QString cacheFolder();
    // Decodes done by this process, so callers can see the cache at work.
    static int decodeCount();

private:
    static bool decode(const QString& source, const QString& target);
};
