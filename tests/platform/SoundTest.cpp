#include "platform/Sound.h"
#include "TemporaryStore.h"
#include "platform/QtSound.h"
#include "platform/SoundDecoder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <limits>
#include <numbers>
#include <sndfile.h>
#include <vector>

namespace {

const QString themeFolder = QStringLiteral("/usr/share/sounds/freedesktop/stereo");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeOgg(const QString& path, double seconds)
{
    SF_INFO info{0, 22050, 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0, 0}; // mono at 22.05 kHz
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    // A tone with some hiss, so that the audio outweighs the codec's headers.
    std::vector<float> samples(size_t(seconds * info.samplerate));
    quint32 hiss = 1;
    for (size_t i = 0; i < samples.size(); ++i) {
        hiss = hiss * 1664525u + 1013904223u;
        samples[i] = 0.3f * float(std::sin(2 * std::numbers::pi * 440.0 * double(i) / 22050)) +
                     0.1f * (float(hiss >> 8) / float(1 << 24) - 0.5f);
    }
    const auto written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    return sf_close(file) == 0 && written == sf_count_t(samples.size());
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

    void applicationSounds()
    {
        for (const char* name : {"KPTickingSound", "Raindrops", "Puddle", "Joy", "Story", "Window",
                                 "Ice", "Complication", "Rick", "Blow"}) {
            const auto sound = Sound::named(name);
            QVERIFY2(sound, name);
            QCOMPARE(sound->name(), name);
            // 16-bit mono PCM after a 44-byte header, as the synthesizer writes it.
            const QByteArray wav = readAll(QStringLiteral(":/sounds/%1.wav").arg(name)).mid(44);
            const qsizetype count = wav.size() / 2;
            const auto sample = [&](qsizetype i) {
                return std::abs(int(qFromLittleEndian<qint16>(wav.constData() + 2 * i)));
            };
            QVERIFY(count > 0 && sound->duration() >= 0.5 && sound->duration() <= 2.0);
            int peak = 0;
            for (qsizetype i = 0; i < count; ++i)
                peak = std::max(peak, sample(i));
            // Normalised to about -3 dBFS: loud enough to hear, nowhere near clipping.
            QVERIFY2(peak > 0.65 * 32767 && peak < 0.75 * 32767, name);
            // Starts and ends at rest: no click, and the ticking loops without a seam.
            QVERIFY(sample(0) < 100 && sample(count - 1) < 100);
        }
    }

    void namesThatFindNothing()
    {
        for (const QString& name : {QString(), QStringLiteral("NoSuchSound"),
                                    QStringLiteral("Blow.wav"), QStringLiteral("../stereo/bell"),
                                    themeFolder + QStringLiteral("/bell"), QStringLiteral(".bell")})
            QVERIFY2(!Sound::named(name), qPrintable(name));
    }

    void unreadableFiles()
    {
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        const QByteArray wav = readAll(QStringLiteral(":/sounds/Blow.wav"));
        const QString ogg = m_files.filePath(QStringLiteral("whole.ogg"));
        QVERIFY(writeOgg(ogg, 0.5));
        const std::pair<const char*, QByteArray> files[] = {
            {"empty.oga", QByteArray()},
            {"cut.ogg", readAll(ogg).left(200)},
            {"noise.oga", noise},
            {"cut.wav", wav.left(30)}, // in the header
            {"bare.wav", wav.left(44)}};
        for (const auto& [fileName, content] : files) {
            const QString path = m_files.filePath(fileName);
            TemporaryStore::writeFile(path, content);
            QVERIFY2(!QtSound::load(fileName, path), fileName);
            QVERIFY(SoundDecoder::cachedWav(path).isEmpty());
            QVERIFY(!SoundDecoder::inspect(content));
        }
        // A failed decode leaves nothing half-written behind.
        QCOMPARE(QDir(SoundDecoder::cacheFolder()).entryList({QStringLiteral("*.part-*")}),
                 QStringList());
    }

    void decodedOnceAndAgainWhenChangedOrCut()
    {
        const QString path = m_files.filePath(QStringLiteral("tone.ogg"));
        QVERIFY(writeOgg(path, 0.75));
        const int before = SoundDecoder::decodeCount();
        const auto first = QtSound::load(QStringLiteral("tone"), path);
        QVERIFY(first);
        QVERIFY(std::abs(first->duration() - 0.75) < 0.01);
        QVERIFY(first->source().toLocalFile().startsWith(SoundDecoder::cacheFolder()));
        QCOMPARE(QtSound::load(QStringLiteral("tone"), path)->source(), first->source());
        QCOMPARE(SoundDecoder::decodeCount(), before + 1);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(QtSound::load(QStringLiteral("tone"), path)->source() != first->source());
        QCOMPARE(SoundDecoder::decodeCount(), before + 2);

        // The header of a cut Ogg file claims no length; the decoded part is the truth
        // (an alarm repeats after its duration).
        QVERIFY(writeOgg(path, 2.0));
        const QByteArray bytes = readAll(path);
        const QString half = m_files.filePath(QStringLiteral("half.ogg"));
        TemporaryStore::writeFile(half, bytes.left(bytes.size() / 2));
        const auto sound = QtSound::load(QStringLiteral("half"), half);
        QVERIFY(sound);
        QVERIFY2(sound->duration() > 0.3 && sound->duration() < 1.9,
                 qPrintable(QString::number(sound->duration())));
    }

    void systemSounds()
    {
        if (!QFileInfo::exists(themeFolder + QStringLiteral("/bell.oga")))
            QSKIP("sound-theme-freedesktop is not installed");
        for (const char* name : {"bell", "complete"})
            QVERIFY(Sound::named(name) && Sound::named(name)->duration() > 0.0);
        const QStringList names = Sound::systemSoundNames();
        QVERIFY(names.contains(QStringLiteral("bell")) && names.filter(".oga").isEmpty());
        QVERIFY(std::is_sorted(names.begin(), names.end()));
    }

    void playbackWithoutAudioDevice()
    {
        for (const char* name : {"KPTickingSound", "Blow"}) {
            auto sound = Sound::named(name);
            sound->setLoops(true);
            sound->setVolume(std::numeric_limits<float>::quiet_NaN());
            QCOMPARE(sound->volume(), 0.0f);
            sound->play();
            QCoreApplication::processEvents();
            sound->stop();
            QVERIFY(!sound->isPlaying());
            sound->play();
            sound.reset(); // dropped while it may still be loading or playing
            QCoreApplication::processEvents();
        }
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "SoundTest.moc"
