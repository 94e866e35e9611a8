#include "Sound.h"

namespace {

Sound::Provider& installedProvider()
{
    static Sound::Provider provider;
    return provider;
}

} // namespace

std::shared_ptr<Sound> Sound::named(const QString& name)
{
    if (installedProvider())
        return installedProvider()(name);
    return nullptr; // TODO real lookup
}

void Sound::setProvider(Provider provider)
{
    installedProvider() = std::move(provider);
}
