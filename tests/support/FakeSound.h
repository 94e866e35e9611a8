#pragma once

#include "platform/sound/Sound.h"

#include <QStringList>
#include <map>
#include <memory>

// A sound that records what was asked of it into a shared log.
class FakeSound : public Sound
{
public:
    FakeSound(QString name, double duration, QStringList* log)
        : m_name(std::move(name)), m_duration(duration), m_log(log)
    {}

    void play() override { record(true, " play"); }
    void stop() override { record(false, " stop"); }
    bool isPlaying() const override { return m_playing; }
    void setLoops(bool loops) override { m_loops = loops; }
    bool loops() const override { return m_loops; }
    void setVolume(float volume) override { m_volume = volume; }
    float volume() const override { return m_volume; }
    double duration() const override { return m_duration; }
    QString name() const override { return m_name; }

private:
    void record(bool playing, const char* what)
    {
        m_playing = playing;
        m_log->append(m_name + QLatin1String(what));
    }

    QString m_name;
    double m_duration;
    QStringList* m_log;
    bool m_playing = false;
    bool m_loops = false;
    float m_volume = 1.0f;
};

// Installs fakes for every sound name while alive; each name gets one instance.
class FakeSounds
{
public:
    explicit FakeSounds(double duration = 1.5)
    {
        Sound::setProvider([this, duration](const QString& name) -> std::shared_ptr<Sound> {
            auto& sound = m_sounds[name];
            if (!sound)
                sound = std::make_shared<FakeSound>(name, duration, &log);
            return sound;
        });
    }
    ~FakeSounds() { Sound::setProvider({}); }
    FakeSounds(const FakeSounds&) = delete;
    FakeSounds& operator=(const FakeSounds&) = delete;

    QStringList log;

private:
    std::map<QString, std::shared_ptr<FakeSound>> m_sounds;
};
