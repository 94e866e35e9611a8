#include "platform/sound/Sound.h"
#include "TemporaryStore.h"
#include "platform/sound/QtSound.h"
#include "platform/sound/SoundDecoder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
        QFile blow(QStringLiteral(":/sounds/Blow.wav"));
        QVERIFY(blow.open(QIODevice::ReadOnly));
        const QByteArray wav = blow.readAll();
        const std::pair<const char*, QByteArray> files[] = {{"empty.oga", QByteArray()},
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
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "SoundTest.moc"
