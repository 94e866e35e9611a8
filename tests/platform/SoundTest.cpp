#include "platform/Sound.h"
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
#include <optional>
#include <sndfile.h>
#include <vector>

namespace {

const QString themeFolder = QStringLiteral("/usr/share/sounds/freedesktop/stereo");

struct Pcm
{
    int rate = 0;
    std::vector<qint16> samples;
};

// Reads a compiled-in sound as the synthesizer wrote it: a 44-byte header and
// 16-bit mono PCM.
std::optional<Pcm> readApplicationSound(const QString& name)
{
    QFile file(QStringLiteral(":/sounds/") + name + QStringLiteral(".wav"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt " ||
        u16(20) != 1 || u16(22) != 1 || u16(34) != 16 || bytes.mid(36, 4) != "data" ||
        u32(40) != quint32(bytes.size() - 44))
        return std::nullopt;
    Pcm pcm;
    pcm.rate = int(u32(24));
    for (int at = 44; at + 1 < bytes.size(); at += 2)
        pcm.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at));
    return pcm;
}

bool writeOgg(const QString& path, double seconds)
{
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
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

    void applicationSounds_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"KPTickingSound", "Raindrops", "Puddle", "Joy", "Story", "Window",
                                 "Ice", "Complication", "Rick", "Blow"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void applicationSounds()
    {
        QFETCH(QString, name);
        const auto sound = Sound::named(name);
        QVERIFY(sound);
        QCOMPARE(sound->name(), name);

        const auto pcm = readApplicationSound(name);
        QVERIFY2(pcm, "not the 16-bit mono PCM WAV the synthesizer writes");
        QCOMPARE(sound->duration(), double(pcm->samples.size()) / pcm->rate);
        QVERIFY(sound->duration() >= 0.5 && sound->duration() <= 2.0);

        int peak = 0;
        for (qint16 sample : pcm->samples)
            peak = std::max(peak, std::abs(int(sample)));
        // Normalised to about -3 dBFS: loud enough to hear, nowhere near clipping.
        QVERIFY2(peak > 0.65 * 32767 && peak < 0.75 * 32767, qPrintable(QString::number(peak)));
        // Starts and ends at rest: no click, and the ticking loops without a seam.
        QVERIFY(std::abs(pcm->samples.front()) < 100 && std::abs(pcm->samples.back()) < 100);
    }

    void namesThatFindNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("unknown") << QStringLiteral("NoSuchSound");
        QTest::newRow("with extension") << QStringLiteral("Blow.wav");
        QTest::newRow("relative path") << QStringLiteral("../stereo/bell");
        QTest::newRow("absolute path") << themeFolder + QStringLiteral("/bell");
        QTest::newRow("hidden") << QStringLiteral(".bell");
    }

    void namesThatFindNothing()
    {
        QFETCH(QString, name);
        QVERIFY(!Sound::named(name));
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QFile blow(QStringLiteral(":/sounds/Blow.wav"));
        QVERIFY(blow.open(QIODevice::ReadOnly));
        const QByteArray wav = blow.readAll();

        const QString oggPath = m_files.filePath(QStringLiteral("whole.ogg"));
        QVERIFY(writeOgg(oggPath, 0.5));
        QFile ogg(oggPath);
        QVERIFY(ogg.open(QIODevice::ReadOnly));

        QTest::newRow("empty ogg") << QStringLiteral("empty.oga") << QByteArray();
        QTest::newRow("ogg cut in its headers") << QStringLiteral("cut.ogg") << ogg.read(200);
        QTest::newRow("noise as ogg") << QStringLiteral("noise.oga") << noise;
        QTest::newRow("wav cut in its header") << QStringLiteral("cut.wav") << wav.left(30);
        QTest::newRow("wav header, no samples") << QStringLiteral("bare.wav") << wav.left(44);
        QTest::newRow("text as wav") << QStringLiteral("text.wav") << QByteArray("RIFF, not.");
    }

    void unreadableFiles()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        const QString path = m_files.filePath(fileName);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();

        QVERIFY(!QtSound::load(fileName, path));
        QVERIFY(SoundDecoder::cachedWav(path).isEmpty());
        QVERIFY(!SoundDecoder::inspect(content));
        // A failed decode leaves nothing half-written behind.
        QCOMPARE(QDir(SoundDecoder::cacheFolder()).entryList({QStringLiteral("*.part-*")}),
                 QStringList());
    }

    void decodedOnceAndAgainWhenChanged()
    {
        const QString path = m_files.filePath(QStringLiteral("tone.ogg"));
        QVERIFY(writeOgg(path, 0.75));
        const int before = SoundDecoder::decodeCount();

        const auto first = QtSound::load(QStringLiteral("tone"), path);
        QVERIFY(first);
        QVERIFY(std::abs(first->duration() - 0.75) < 0.01);
        QVERIFY(first->source().toLocalFile().startsWith(SoundDecoder::cacheFolder()));
        QCOMPARE(SoundDecoder::decodeCount(), before + 1);

        const auto second = QtSound::load(QStringLiteral("tone"), path);
        QVERIFY(second);
        QCOMPARE(second->source(), first->source());
        QCOMPARE(SoundDecoder::decodeCount(), before + 1);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
        file.close();
        const auto changed = QtSound::load(QStringLiteral("tone"), path);
        QVERIFY(changed);
        QVERIFY(changed->source() != first->source());
        QCOMPARE(SoundDecoder::decodeCount(), before + 2);
    }

    void truncatedOggKeepsWhatDecodes()
    {
        const QString whole = m_files.filePath(QStringLiteral("long.ogg"));
        QVERIFY(writeOgg(whole, 2.0));
        QFile file(whole);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray half = file.read(file.size() / 2);
        const QString path = m_files.filePath(QStringLiteral("half.ogg"));
        QFile cut(path);
        QVERIFY(cut.open(QIODevice::WriteOnly) && cut.write(half) == half.size());
        cut.close();

        // The header of a cut Ogg file claims no length; the decoded part is the truth
        // (an alarm repeats after its duration).
        const auto sound = QtSound::load(QStringLiteral("half"), path);
        QVERIFY(sound);
        QVERIFY2(sound->duration() > 0.3 && sound->duration() < 1.9,
                 qPrintable(QString::number(sound->duration())));
    }

    void systemSounds()
    {
        if (!QFileInfo::exists(themeFolder + QStringLiteral("/bell.oga")))
            QSKIP("sound-theme-freedesktop is not installed");
        for (const QString& name : {QStringLiteral("bell"), QStringLiteral("complete")}) {
            const auto sound = Sound::named(name);
            QVERIFY(sound);
            QVERIFY(sound->duration() > 0.0);
        }
        const QStringList names = Sound::systemSoundNames();
        QVERIFY(names.contains(QStringLiteral("bell")) &&
                names.contains(QStringLiteral("complete")));
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(names, sorted);
        QVERIFY(names.filter(QStringLiteral(".oga")).isEmpty());
    }

    void playbackWithoutAudioDevice()
    {
        for (const QString& name : {QStringLiteral("KPTickingSound"), QStringLiteral("Blow")}) {
            auto sound = Sound::named(name);
            QVERIFY(sound);
            sound->setVolume(0.25f);
            QCOMPARE(sound->volume(), 0.25f);
            sound->setVolume(std::numeric_limits<float>::quiet_NaN());
            QCOMPARE(sound->volume(), 0.0f);
            sound->setLoops(true);
            QVERIFY(sound->loops());
            sound->play();
            QCoreApplication::processEvents();
            sound->stop();
            QVERIFY(!sound->isPlaying());
            sound->setLoops(false);
            QVERIFY(!sound->loops());
            // Dropped while it may still be loading or playing.
            sound->play();
            sound.reset();
            QCoreApplication::processEvents();
        }
    }

    void providerReplacesLookup()
    {
        QString asked;
        Sound::setProvider([&](const QString& name) {
            asked = name;
            return std::shared_ptr<Sound>();
        });
        QVERIFY(!Sound::named(QStringLiteral("Blow")));
        QCOMPARE(asked, QStringLiteral("Blow"));
        Sound::setProvider({});
        QVERIFY(Sound::named(QStringLiteral("Blow")));
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "SoundTest.moc"
