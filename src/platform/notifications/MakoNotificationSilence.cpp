#include "MakoNotificationSilence.h"

#include "platform/store/Defaults.h"

#include <QDir>
#include <QFile>
#include <systemd/sd-bus.h>
#include <vector>

namespace {

constexpr const char* path = "/fr/emersion/Mako";
constexpr const char* interface = "fr.emersion.Mako";
const QString mode = QStringLiteral("do-not-disturb");

} // namespace

bool MakoNotificationSilence::configurationHasMode()
{
    // Where mako looks for its configuration, first found first.
    for (const QString& file : {Defaults::configHome() + QStringLiteral("/mako/config"),
                                QDir::homePath() + QStringLiteral("/.mako/config")}) {
        QFile config(file);
        if (config.open(QIODevice::ReadOnly))
            return config.readAll().contains("[mode=" + mode.toUtf8() + "]");
    }
    return false;
}

void MakoNotificationSilence::listModes(std::function<void(std::optional<QStringList>)> answer)
{
    m_calls.call(BusCalls::notificationServer, path, interface, "ListModes",
                 [answer = std::move(answer)](sd_bus_message* reply) {
                     char** modes = nullptr;
                     if (!BusCalls::succeeded(reply) ||
                         sd_bus_message_read_strv(reply, &modes) < 0) {
                         answer(std::nullopt);
                         return;
                     }
                     QStringList list;
                     for (char** m = modes; m && *m; ++m) {
                         list << QString::fromUtf8(*m);
                         free(*m);
                     }
                     free(modes);
                     answer(list);
                 });
}

void MakoNotificationSilence::read(Reading reading)
{
    if (!configurationHasMode()) {
        reading(std::nullopt);
        return;
    }
    listModes([reading = std::move(reading)](std::optional<QStringList> modes) {
        reading(modes ? std::optional<bool>(modes->contains(mode)) : std::nullopt);
    });
}

void MakoNotificationSilence::set(bool silenced, Done done)
{
    // The user's other modes stay as they are.
    listModes([this, silenced, done = std::move(done)](std::optional<QStringList> modes) {
        if (!modes) {
            done(false);
            return;
        }
        modes->removeAll(mode);
        if (silenced)
            modes->append(mode);
        std::vector<QByteArray> names;
        for (const QString& m : *modes)
            names.push_back(m.toUtf8());
        m_calls.call(
            BusCalls::notificationServer, path, interface, "SetModes",
            [done](sd_bus_message* reply) { done(BusCalls::succeeded(reply)); },
            [names](sd_bus_message* m) {
                int r = sd_bus_message_open_container(m, 'a', "s");
                for (const QByteArray& name : names)
                    if (r >= 0)
                        r = sd_bus_message_append_basic(m, 's', name.constData());
                return r < 0 ? r : sd_bus_message_close_container(m);
            });
    });
}
