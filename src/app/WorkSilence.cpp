#include "WorkSilence.h"

#include "platform/RunLoop.h"
#include "platform/store/Defaults.h"
#include "timing/KPTimeBoxManager.h"
#include "timing/KPTimer.h"
#include "timing/PreferenceKeys.h"

#include <QPointer>

namespace {

// Longer than a bus call may take to be refused, so that a slow desktop
// delays our own notification by no more than this.
constexpr std::chrono::seconds liftPatience{4};
constexpr std::chrono::milliseconds quitPatience{1000};

Defaults& store()
{
    return Defaults::standard();
}

} // namespace

WorkSilence::WorkSilence(KPTimeBoxManager& manager, SdBusConnection& connection, QObject* parent)
    : QObject(parent), m_manager(manager), m_chooser(connection)
{
    m_enabled =
        PreferenceKeys::boolean(store(), PreferenceKeys::isSilencingNotificationsDuringWork);
    if (KPTimer* t = timer())
        connect(t, &KPTimer::stateChanged, this, [this] {
            // A notification server that started after us is found when work begins.
            if (isCounting() && !m_silence)
                probe();
            update();
        });
    connect(&manager, &KPTimeBoxManager::periodDidEnd, this, &WorkSilence::update);
    // Left by a run that ended without lifting it: lifted first of all. A note
    // that names no way known here is dropped.
    if (store().contains(PreferenceKeys::notificationsSilencedBy)) {
        m_holder = m_chooser.named(
            store().string(PreferenceKeys::notificationsSilencedBy).value_or(QString()));
        if (!m_holder)
            store().remove(PreferenceKeys::notificationsSilencedBy);
    }
    update();
    probe();
}

WorkSilence::~WorkSilence() = default;

KPTimer* WorkSilence::timer() const
{
    KPTimeBoxManager::Display* display = m_manager.menuBarTimeDisplay();
    return display ? display->timer() : nullptr;
}

bool WorkSilence::isCounting() const
{
    const KPTimer* t = timer();
    return m_manager.state() == KPTimeBoxManager::State::work && t &&
           t->state() == KPTimer::State::active;
}

void WorkSilence::setEnabled(bool enabled)
{
    m_enabled = enabled;
    update();
}

void WorkSilence::probe()
{
    if (m_probing)
        return;
    m_probing = true;
    m_chooser.choose([self = QPointer(this)](std::shared_ptr<NotificationSilence> silence) {
        if (!self)
            return;
        self->m_probing = false;
        const bool was = self->isAvailable();
        self->m_silence = std::move(silence);
        if (was != self->isAvailable())
            Q_EMIT self->availabilityChanged(self->isAvailable());
        self->update();
    });
}

void WorkSilence::update()
{
    if (m_busy)
        return;
    const bool wanted = m_enabled && !m_quitting && isCounting();
    if (!wanted)
        m_leftAlone = false;
    if (m_holder && !wanted)
        lift();
    else if (!m_holder && wanted && !m_leftAlone && m_silence)
        hold();
    else if (!m_holder)
        runWaiting();
}

void WorkSilence::hold()
{
    m_busy = true;
    std::shared_ptr<NotificationSilence> silence = m_silence;
    silence->read([self = QPointer(this), silence](std::optional<bool> silenced) {
        if (!self)
            return;
        if (silenced != false) { // held by the user already, or no answer
            self->m_leftAlone = true;
            self->settle();
            return;
        }
        // Before the change: a crash from here on is undone at the next start.
        store().setString(PreferenceKeys::notificationsSilencedBy, silence->name());
        silence->set(true, [self, silence](bool done) {
            if (!self)
                return;
            if (done) {
                self->m_holder = silence;
            } else {
                store().remove(PreferenceKeys::notificationsSilencedBy);
                self->m_leftAlone = true;
            }
            self->settle();
        });
    });
}

void WorkSilence::lift()
{
    m_busy = true;
    std::shared_ptr<NotificationSilence> holder = m_holder;
    holder->set(false, [self = QPointer(this)](bool done) {
        if (!self)
            return;
        // A desktop that refused keeps the note, for the next start to try again.
        if (done)
            store().remove(PreferenceKeys::notificationsSilencedBy);
        self->m_holder = nullptr;
        self->settle();
    });
}

void WorkSilence::settle()
{
    m_busy = false;
    update();
}

void WorkSilence::whenLifted(std::function<void()> then)
{
    m_waiting.push_back(std::move(then));
    update();
    if (!m_waiting.empty())
        RunLoop::main().postAfter(liftPatience, this, [this] { runWaiting(); });
}

void WorkSilence::runWaiting()
{
    for (const std::function<void()>& then : std::exchange(m_waiting, {}))
        then();
}

void WorkSilence::restoreAtQuit()
{
    m_quitting = true;
    update();
    // Each answer may send the next call (a hold under way is lifted once done).
    for (int round = 0; round < 3 && (m_busy || m_holder); ++round) {
        if (const std::shared_ptr<NotificationSilence> backend = m_holder ? m_holder : m_silence)
            backend->finish(quitPatience);
    }
}
