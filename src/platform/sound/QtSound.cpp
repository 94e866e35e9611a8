#include "QtSound.h"

#include "SoundDecoder.h"

#include <QFile>
#include <QSoundEffect>
#include <algorithm>

std::shared_ptr<QtSound> QtSound::load(const QString& name, const QString& path)
{
    if (path.startsWith(QLatin1String(":/"))) {
        QFile resource(path);
        if (!resource.open(QIODevice::ReadOnly))
            return nullptr;
        const auto info = SoundDecoder::inspect(resource.readAll());
        if (!info || !info->playableAsIs)
            return nullptr;
        return std::shared_ptr<QtSound>(
            new QtSound(name, QUrl(QStringLiteral("qrc") + path), info->duration));
    }

    auto info = SoundDecoder::inspect(path);
    if (!info)
        return nullptr;
    QString playable = path;
    if (!info->playableAsIs) {
        playable = SoundDecoder::cachedWav(path);
        // The decoded length, which is the truth for a truncated source.
        info = playable.isEmpty() ? std::nullopt : SoundDecoder::inspect(playable);
        if (!info)
            return nullptr;
    }
    return std::shared_ptr<QtSound>(
        new QtSound(name, QUrl::fromLocalFile(playable), info->duration));
}

QtSound::QtSound(const QString& name, const QUrl& source, double duration)
    : m_name(name), m_duration(duration), m_source(source)
{}

QtSound::~QtSound() = default;

QSoundEffect& QtSound::effect()
{
    // Made at the first play: a sound never played (the ticking, mostly) costs
    // neither the audio system's start nor its samples in memory.
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(m_source);
        m_effect->setLoopCount(m_loops ? QSoundEffect::Infinite : 1);
        m_effect->setVolume(m_volume);
    }
    return *m_effect;
}

void QtSound::play()
{
    effect().play();
}

void QtSound::stop()
{
    if (m_effect)
        m_effect->stop();
}

bool QtSound::isPlaying() const
{
    return m_effect && m_effect->isPlaying();
}

void QtSound::setLoops(bool loops)
{
    m_loops = loops;
    if (m_effect)
        m_effect->setLoopCount(loops ? QSoundEffect::Infinite : 1);
}

bool QtSound::loops() const
{
    return m_loops;
}

void QtSound::setVolume(float volume)
{
    // Written so that NaN lands on silence, not on whatever Qt makes of it.
    m_volume = volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;
    if (m_effect)
        m_effect->setVolume(m_volume);
}

float QtSound::volume() const
{
    return m_volume;
}

QUrl QtSound::source() const
{
    return m_source;
}
