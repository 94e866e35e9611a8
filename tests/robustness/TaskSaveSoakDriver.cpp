// Saves the task list again and again through the task manager and the real
// store, for a runner that kills it with SIGKILL at random points.
//
//   task-save-soak-driver run        saves state after state, printing
//                                    "committed N" once save N is on disk
//   task-save-soak-driver check N    exits 0, printing the stored state's
//                                    number, when the store reads back whole
//                                    and holds save N or the one after it
// The store is the standard one under $XDG_CONFIG_HOME. State N is a pure
// function of N, so the stored list tells which save it came from.
#include "platform/Defaults.h"
#include "tasks/KPTaskManager.h"
#include "timing/PreferenceKeys.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr qint64 window = 40;
// A value of the user's beside the tasks, which no save may lose.
constexpr qint64 workLength = 1234;

QList<KPTask> state(qint64 n)
{
    QList<KPTask> tasks;
    for (qint64 i = std::max<qint64>(1, n - window + 1); i <= n; ++i)
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

int fail(const QString& message)
{
    std::fprintf(stderr, "task-save-soak-driver: %s\n", qPrintable(message));
    return 1;
}

int run()
{
    Defaults& store = Defaults::standard();
    if (!store.corruptFileMovedTo().isEmpty())
        return fail(QStringLiteral("the store was unreadable"));
    if (!store.contains(PreferenceKeys::workLength) &&
        !store.setInteger(PreferenceKeys::workLength, workLength))
        return fail(QStringLiteral("cannot write the store"));
    KPTaskManager manager(store);
    const std::optional<qint64> start = stateNumber(manager.tasks);
    if (!start)
        return fail(QStringLiteral("the stored list is no state of this driver"));
    for (qint64 n = *start + 1;; ++n) {
        manager.tasks = state(n);
        if (!manager.save())
            return fail(QStringLiteral("save %1 failed").arg(n));
        std::printf("committed %lld\n", static_cast<long long>(n));
        std::fflush(stdout);
    }
}

int check(qint64 committed)
{
    Defaults& store = Defaults::standard();
    if (!store.corruptFileMovedTo().isEmpty())
        return fail(
            QStringLiteral("the store did not parse; moved to %1").arg(store.corruptFileMovedTo()));
    if (committed > 0 && store.integer(PreferenceKeys::workLength) != workLength)
        return fail(QStringLiteral("the other value of the store was lost"));
    KPTaskManager manager(store);
    if (manager.hasUndecodableStoredTasks())
        return fail(QStringLiteral("the stored task list does not decode"));
    const std::optional<qint64> n = stateNumber(manager.tasks);
    if (!n)
        return fail(QStringLiteral("the stored list is no state that was saved"));
    if (*n < committed || *n > committed + 1)
        return fail(QStringLiteral("save %1 was committed, the store holds save %2")
                        .arg(committed)
                        .arg(*n));
    std::printf("%lld\n", static_cast<long long>(*n));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool ok = false;
    if (arguments.size() == 2 && arguments[1] == QLatin1String("run"))
        return run();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("check")) {
        const qint64 committed = arguments[2].toLongLong(&ok);
        if (ok && committed >= 0)
            return check(committed);
    }
    return fail(QStringLiteral("usage: task-save-soak-driver run | check COMMITTED"));
}
