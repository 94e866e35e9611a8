#include "SoundDecoder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <sndfile.h>
#include <vector>

namespace {

int decodes = 0;

struct SndFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

// Read-only virtual file over bytes already in memory (the compiled-in sounds).
struct MemoryFile
{
    const QByteArray* data;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user)
{
    return static_cast<MemoryFile*>(user)->data->size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET   ? 0
                            : whence == SEEK_CUR ? file->position
                                                 : file->data->size();
    file->position = std::clamp<sf_count_t>(base + offset, 0, file->data->size());
    return file->position;
}

sf_count_t memoryRead(void* buffer, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(file->data->size() - file->position, 0, count);
    std::memcpy(buffer, file->data->constData() + file->position, static_cast<size_t>(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

std::optional<SoundDecoder::Info> describe(SNDFILE* file, const SF_INFO& info)
{
    if (!file || info.frames <= 0 || info.samplerate <= 0 || info.channels <= 0)
        return std::nullopt;
    const bool wav = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
    const bool pcm16 = (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    return SoundDecoder::Info{static_cast<double>(info.frames) / info.samplerate,
                              wav && pcm16 && info.channels <= 2};
}

} // namespace

std::optional<SoundDecoder::Info> SoundDecoder::inspect(const QString& path)
{
    SF_INFO info{};
    SndFilePtr file(sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    return describe(file.get(), info);
}

std::optional<SoundDecoder::Info> SoundDecoder::inspect(const QByteArray& data)
{
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    MemoryFile memory{&data};
    SF_INFO info{};
    SndFilePtr file(sf_open_virtual(&io, SFM_READ, &info, &memory));
    return describe(file.get(), info);
}

QString SoundDecoder::cacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/zembrak/sounds");
}

int SoundDecoder::decodeCount()
{
    return decodes;
}

QString SoundDecoder::cachedWav(const QString& source)
{
    const QFileInfo file(source);
    if (!file.isFile())
        return {};
    // The name carries the source's identity and state: an edited or replaced
    // source gets a new name and is decoded again.
    const QByteArray identity = QFile::encodeName(file.canonicalFilePath()) + '\n' +
                                QByteArray::number(file.size()) + '\n' +
                                QByteArray::number(file.lastModified().toMSecsSinceEpoch());
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
    const QString target = cacheFolder() + QLatin1Char('/') + file.completeBaseName() +
                           QLatin1Char('-') + hash + QStringLiteral(".wav");
    if (QFileInfo::exists(target))
        return target;
    if (!QDir().mkpath(cacheFolder()) || !decode(source, target))
        return {};
    return target;
}

bool SoundDecoder::decode(const QString& source, const QString& target)
{
    ++decodes;
    SF_INFO in{};
    SndFilePtr input(sf_open(QFile::encodeName(source).constData(), SFM_READ, &in));
    if (!describe(input.get(), in))
        return false;

    // More than two channels is folded to mono: the sound effect plays one or two.
    const int channels = in.channels <= 2 ? in.channels : 1;
    SF_INFO out{};
    out.samplerate = in.samplerate;
    out.channels = channels;
    out.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    // Written aside and renamed into place, so a half-written file is never
    // taken for a finished one (another instance may be reading the cache).
    const QString partial =
        target + QStringLiteral(".part-%1").arg(QCoreApplication::applicationPid());
    SndFilePtr output(sf_open(QFile::encodeName(partial).constData(), SFM_WRITE, &out));
    if (!output)
        return false;
    sf_command(output.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    constexpr sf_count_t chunk = 4096;
    std::vector<float> buffer(static_cast<size_t>(chunk * in.channels));
    std::vector<float> folded(static_cast<size_t>(chunk));
    sf_count_t written = 0;
    bool failed = false;
    for (;;) {
        const sf_count_t frames = sf_readf_float(input.get(), buffer.data(), chunk);
        if (frames <= 0)
            break;
        const float* frameData = buffer.data();
        if (channels != in.channels) {
            for (sf_count_t f = 0; f < frames; ++f) {
                const float* frame = buffer.data() + f * in.channels;
                folded[static_cast<size_t>(f)] =
                    std::accumulate(frame, frame + in.channels, 0.0f) / in.channels;
            }
            frameData = folded.data();
        }
        if (sf_writef_float(output.get(), frameData, frames) != frames) {
            failed = true;
            break;
        }
        written += frames;
    }
    output.reset();
    // A truncated source keeps what could be decoded; nothing decoded is a failure.
    if (failed || written == 0 ||
        std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return true;
}
