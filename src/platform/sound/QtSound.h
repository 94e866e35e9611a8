#pragma once

#include "Sound.h"

#include <QUrl>
#include <memory>

class QSoundEffect;

// A sound played by QSoundEffect. Files it cannot play itself are decoded once
// to a cached WAV. Without an audio device it stays silent.
class QtSound final : public Sound
{
public:
    // The sound in the file at `path` (":/..." for the compiled-in sounds);
    // none when the file is not audio that can be read.
    static std::shared_ptr<QtSound> load(const QString& name, const QString& path);

    ~QtSound() override;
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    void play() override;
    void stop() override;
    bool isPlaying() const override;
    void setLoops(bool loops) override;
    bool loops() const override;
    void setVolume(float volume) override;
    float volume() const override;
    double duration() const override { return m_duration; }
    QString name() const override { return m_name; }
    // What the sound effect plays: the resource, the file or its cached WAV.
    QUrl source() const;

private:
    QtSound(const QString& name, const QUrl& source, double duration);
    QSoundEffect& effect();

    QString m_name;
    double m_duration;
    // Kept here too: without an audio device the effect reports its defaults.
    float m_volume = 1.0f;
    bool m_loops = false;
    QUrl m_source;
    std::unique_ptr<QSoundEffect> m_effect; // from the first play on
};
