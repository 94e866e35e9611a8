#include "platform/Sound.h"
#include "TemporaryStore.h"
#include "platform/QtSound.h"
#include "platform/SoundDecoder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <vector>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A tone with some hiss, so that the audio outweighs the codec's headers.
QByteArray ogg(const QString& path, double seconds)
{
    SF_INFO info{0, 22050, 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0, 0};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> samples(size_t(seconds * info.samplerate));
    quint32 hiss = 1;
    for (size_t i = 0; file && i < samples.size(); ++i) {
        hiss = hiss * 1664525u + 1013904223u;
        samples[i] = 0.3f * float(std::sin(2 * std::numbers::pi * 440.0 * double(i) / 22050)) +
                     0.1f * (float(hiss >> 8) / float(1 << 24) - 0.5f);
    }
    const bool written =
        file && sf_writef_float(file, samples.data(), sf_count_t(samples.size())) > 0;
    return file && sf_close(file) == 0 && written ? readAll(path) : QByteArray();
}

} // namespace

class SoundTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cache;
    QTemporaryDir m_files;

private slots:
    void initTestCase()
    {
        QVERIFY(m_cache.isValid() && m_files.isValid());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
        Sound::setProvider({});
    }

    void namedSounds()
    {
        for (const char* name : {"KPTickingSound", "Raindrops", "Puddle", "Joy", "Story", "Window",
                                 "Ice", "Complication", "Rick", "Blow"})
            QVERIFY2(Sound::named(name) && Sound::named(name)->duration() >= 0.5, name);
        QVERIFY(!Sound::named("NoSuchSound"));
    }

    void badFiles()
    {
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        const QByteArray wav = readAll(QStringLiteral(":/sounds/Blow.wav"));
        const QByteArray tone = ogg(m_files.filePath("tone.ogg"), 2.0);
        QVERIFY(!tone.isEmpty());
        const std::pair<const char*, QByteArray> files[] = {{"empty.oga", QByteArray()},
                                                            {"cut.ogg", tone.left(200)},
                                                            {"noise.oga", noise},
                                                            {"cut.wav", wav.left(30)},
                                                            {"bare.wav", wav.left(44)}};
        for (const auto& [fileName, content] : files) {
            const QString path = m_files.filePath(fileName);
            TemporaryStore::writeFile(path, content);
            QVERIFY2(!QtSound::load(fileName, path), fileName);
            QVERIFY(SoundDecoder::cachedWav(path).isEmpty());
        }
        // A failed decode leaves nothing half-written behind.
        QCOMPARE(QDir(SoundDecoder::cacheFolder()).entryList({QStringLiteral("*.part-*")}),
                 QStringList());
        // The header of a cut Ogg file claims no length; the decoded part is the
        // truth (an alarm repeats after its duration).
        const QString half = m_files.filePath(QStringLiteral("half.ogg"));
        TemporaryStore::writeFile(half, tone.left(tone.size() / 2));
        const auto sound = QtSound::load(QStringLiteral("half"), half);
        QVERIFY(sound);
        QVERIFY2(sound->duration() > 0.3 && sound->duration() < 1.9,
                 qPrintable(QString::number(sound->duration())));
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "SoundTest.moc"
