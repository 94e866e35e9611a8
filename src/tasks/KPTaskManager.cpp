#include "KPTaskManager.h"

#include "platform/Defaults.h"
#include "timing/PreferenceKeys.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <algorithm>
#include <limits>

namespace {

// A stored value that is not a data value, written as JSON text.
QByteArray jsonText(const QJsonValue& value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

} // namespace

KPTaskManager::KPTaskManager() : KPTaskManager(Defaults::standard()) {}

KPTaskManager::KPTaskManager(Defaults& store) : m_store(store)
{
    load();
}

void KPTaskManager::load()
{
    tasks.clear();
    if (!m_store.contains(PreferenceKeys::tasks))
        return;
    const std::optional<QByteArray> data = m_store.data(PreferenceKeys::tasks);
    if (data) {
        if (std::optional<QList<KPTask>> stored = KPTask::listFromJson(*data)) {
            tasks = std::move(*stored);
            return;
        }
        m_undecodable = *data;
    } else {
        m_undecodable = jsonText(m_store.value(PreferenceKeys::tasks));
    }
}

bool KPTaskManager::keepUndecodableAside()
{
    const QString folder = QFileInfo(m_store.filePath()).absolutePath();
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const QString base = folder + QStringLiteral("/tasks.undecodable-") + stamp;
    QString path = base + QStringLiteral(".json");
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = base + QLatin1Char('-') + QString::number(n) + QStringLiteral(".json");
    QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*m_undecodable) != m_undecodable->size() ||
        !file.commit())
        return false;
    m_undecodableKeptAt = path;
    m_undecodable.reset();
    return true;
}

bool KPTaskManager::save()
{
    const std::optional<QByteArray> json = KPTask::listToJson(tasks);
    if (!json)
        return false;
    // The user's unreadable list is copied out before it is overwritten; if
    // that fails the store keeps it and this save waits for the next one.
    if (m_undecodable && !keepUndecodableAside())
        return false;
    return m_store.setData(PreferenceKeys::tasks, *json);
}

std::optional<qsizetype> KPTaskManager::firstCompletedTaskIndex() const
{
    const auto found = std::find_if(tasks.cbegin(), tasks.cend(),
                                    [](const KPTask& task) { return task.isCompleted; });
    if (found == tasks.cend())
        return std::nullopt;
    return found - tasks.cbegin();
}

qint64 KPTaskManager::maxCycleCount() const
{
    qint64 maximum = 0;
    for (const KPTask& task : tasks)
        if (task.cycleCount)
            maximum = std::max(maximum, *task.cycleCount);
    return maximum;
}

void KPTaskManager::checkIndex(qsizetype index, qsizetype count, const char* operation) const
{
    if (index < 0 || index >= count)
        qFatal("KPTaskManager::%s: index %lld outside 0..%lld", operation,
               static_cast<long long>(index), static_cast<long long>(count) - 1);
}

void KPTaskManager::changeCycleCount(qsizetype index, qint64 delta)
{
    checkIndex(index, tasks.size(), "changeCycleCount");
    KPTask& task = tasks[index];
    qint64 next = 0;
    // A hand-edited count near the limits stays at the limit instead of wrapping.
    if (__builtin_add_overflow(task.cycleCount.value_or(0), delta, &next))
        next = delta > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    task.cycleCount = next < 1 ? std::nullopt : std::optional<qint64>(next);
    save();
}

qsizetype KPTaskManager::newTaskIndex(bool isAutorearranging) const
{
    const std::optional<qsizetype> firstCompleted = firstCompletedTaskIndex();
    return isAutorearranging && firstCompleted ? *firstCompleted : tasks.size();
}

qsizetype KPTaskManager::addTask(bool isAutorearranging)
{
    const qsizetype index = newTaskIndex(isAutorearranging);
    tasks.append(KPTask::makeNew());
    save();
    if (index != tasks.size() - 1)
        moveTask(tasks.size() - 1, index);
    return index;
}

bool KPTaskManager::renameTask(qsizetype index, const QString& text)
{
    checkIndex(index, tasks.size(), "renameTask");
    if (text.isEmpty()) {
        removeTask(index);
        return false;
    }
    tasks[index].string = text;
    save();
    return true;
}

void KPTaskManager::removeTask(qsizetype index)
{
    checkIndex(index, tasks.size(), "removeTask");
    tasks.removeAt(index);
    save();
}

void KPTaskManager::moveTask(qsizetype from, qsizetype to)
{
    checkIndex(from, tasks.size(), "moveTask");
    checkIndex(to, tasks.size(), "moveTask");
    tasks.move(from, to);
    save();
}

void KPTaskManager::toggleCompleted(qsizetype index)
{
    checkIndex(index, tasks.size(), "toggleCompleted");
    tasks[index].isCompleted = !tasks[index].isCompleted;
    save();
}

std::optional<qsizetype> KPTaskManager::rearrangedIndex(qsizetype index) const
{
    checkIndex(index, tasks.size(), "rearrangedIndex");
    if (tasks[index].isCompleted)
        return tasks.size() - 1;
    const std::optional<qsizetype> firstCompleted = firstCompletedTaskIndex();
    if (firstCompleted && *firstCompleted < index)
        return *firstCompleted;
    return std::nullopt;
}

qsizetype KPTaskManager::toggleCompleted(qsizetype index, bool isAutorearranging)
{
    toggleCompleted(index);
    if (!isAutorearranging)
        return index;
    const std::optional<qsizetype> to = rearrangedIndex(index);
    if (!to)
        return index;
    moveTask(index, *to);
    return *to;
}

std::optional<KPTaskManager::DropMove> KPTaskManager::dropMove(const KPTask& dragged,
                                                               qsizetype above) const
{
    checkIndex(above, tasks.size() + 1, "dropMove");
    const auto found = std::find_if(tasks.cbegin(), tasks.cend(),
                                    [&](const KPTask& task) { return task.id == dragged.id; });
    if (found == tasks.cend())
        return std::nullopt;
    DropMove move;
    move.from = found - tasks.cbegin();
    const qsizetype count = tasks.size();
    move.uncompletes = found->isCompleted && above < firstCompletedTaskIndex().value_or(count);
    qsizetype limit = count;
    for (qsizetype i = 0; i < count; ++i) {
        if (tasks[i].isCompleted && !(move.uncompletes && i == move.from)) {
            limit = i;
            break;
        }
    }
    // An open task stops above the completed block. The insertion point counts
    // rows before the dragged one is taken out, so it only shifts when the
    // dragged row lies above it; this keeps a drop below a completed first row
    // inside the list.
    const qsizetype insertion = std::min(limit, above);
    move.to = move.from < insertion ? insertion - 1 : insertion;
    return move;
}

std::optional<KPTaskManager::DropMove> KPTaskManager::dropTask(const KPTask& dragged,
                                                               qsizetype above)
{
    const std::optional<DropMove> move = dropMove(dragged, above);
    if (!move)
        return std::nullopt;
    if (move->uncompletes)
        toggleCompleted(move->from);
    moveTask(move->from, move->to);
    return move;
}

bool KPTaskManager::creditWorkCycle()
{
    if (tasks.isEmpty() || tasks.first().isCompleted)
        return false;
    changeCycleCount(0, 1);
    return true;
}
