// Saves the task list again and again through the real store, for a runner that
// SIGKILLs it at random points. State N is a pure function of N.
//   task-save-soak-driver run      saves, printing "committed N" once save N is on disk
//   task-save-soak-driver check N  exits 0 (printing the stored state's number) when
//                                  the store reads back whole, holding save N or N + 1
#include "platform/store/Defaults.h"
#include "tasks/KPTaskManager.h"
#include "timing/PreferenceKeys.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// A value of the user's beside the tasks, which no save may lose.
constexpr qint64 workLength = 1234;

QList<KPTask> state(qint64 n)
{
    QList<KPTask> tasks;
    for (qint64 i = std::max<qint64>(1, n - 39); i <= n; ++i)
        tasks.append({1000.25 + double(i), QStringLiteral("Task %1 \u00e9\u2713 \"%1\"").arg(i),
                      i % 3 == 0, i % 5 == 0 ? std::nullopt : std::optional<qint64>(i % 7)});
    return tasks;
}

// The save a stored list comes from, or nothing when it is no state at all.
std::optional<qint64> stateNumber(const QList<KPTask>& tasks)
{
    const qint64 n = tasks.isEmpty() ? 0 : qint64(tasks.last().id - 1000.25);
    return state(n) == tasks ? std::optional(n) : std::nullopt;
}

int fail(const char* message)
{
    std::fprintf(stderr, "task-save-soak-driver: %s\n", message);
    return 1;
}

int run(Defaults& store, KPTaskManager& manager, std::optional<qint64> start)
{
    if (!start || (!store.contains(PreferenceKeys::workLength) &&
                   !store.setInteger(PreferenceKeys::workLength, workLength)))
        return fail("the store holds no state of this driver or cannot be written");
    for (qint64 n = *start + 1;; ++n) {
        manager.tasks = state(n);
        if (!manager.save())
            return fail("a save failed");
        std::printf("committed %lld\n", static_cast<long long>(n));
        std::fflush(stdout);
    }
}

int check(Defaults& store, KPTaskManager& manager, std::optional<qint64> n, qint64 committed)
{
    if (committed > 0 && store.integer(PreferenceKeys::workLength) != workLength)
        return fail("the other value of the store was lost");
    if (manager.hasUndecodableStoredTasks() || !n || *n < committed || *n > committed + 1)
        return fail("the store does not hold the last committed save");
    std::printf("%lld\n", static_cast<long long>(*n));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    Defaults& store = Defaults::standard();
    if (!store.corruptFileMovedTo().isEmpty())
        return fail("the store did not parse");
    KPTaskManager manager(store);
    const std::optional<qint64> stored = stateNumber(manager.tasks);
    if (arguments.value(1) == QLatin1String("run"))
        return run(store, manager, stored);
    bool ok = false;
    const qint64 committed = arguments.value(2).toLongLong(&ok);
    if (arguments.value(1) == QLatin1String("check") && ok && committed >= 0)
        return check(store, manager, stored, committed);
    return fail("usage: task-save-soak-driver run | check COMMITTED");
}
