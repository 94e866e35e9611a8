#include "KPTaskManager.h"

#include "platform/store/AsideFile.h"
#include "platform/store/Defaults.h"
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
    const QString path =
        AsideFile::freeName(folder + QStringLiteral("/tasks.undecodable"), QStringLiteral(".json"));
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
    Q_EMIT tasksChanged();
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
        apply({tasks.size() - 1, index, false});
    return index;
}

bool KPTaskManager::renamingRemoves(const QString& text)
{
    return text.isEmpty();
}

bool KPTaskManager::renameTask(qsizetype index, const QString& text)
{
    checkIndex(index, tasks.size(), "renameTask");
    if (renamingRemoves(text)) {
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

KPTaskManager::Move KPTaskManager::completionMove(qsizetype index, bool isAutorearranging) const
{
    checkIndex(index, tasks.size(), "completionMove");
    Move move{index, index, true};
    if (!isAutorearranging)
        return move;
    if (!tasks[index].isCompleted) {
        move.to = tasks.size() - 1;
        return move;
    }
    // Opened again: it was completed itself, so the first completed task is
    // this one or above it.
    const std::optional<qsizetype> firstCompleted = firstCompletedTaskIndex();
    if (*firstCompleted < index)
        move.to = *firstCompleted;
    return move;
}

std::optional<KPTaskManager::Move> KPTaskManager::dropMove(const KPTask& dragged,
                                                           qsizetype above) const
{
    checkIndex(above, tasks.size() + 1, "dropMove");
    const auto found = std::find_if(tasks.cbegin(), tasks.cend(),
                                    [&](const KPTask& task) { return task.id == dragged.id; });
    if (found == tasks.cend())
        return std::nullopt;
    Move move;
    move.from = found - tasks.cbegin();
    const qsizetype count = tasks.size();
    move.togglesCompleted = found->isCompleted && above < firstCompletedTaskIndex().value_or(count);
    qsizetype limit = count;
    for (qsizetype i = 0; i < count; ++i) {
        if (tasks[i].isCompleted && !(move.togglesCompleted && i == move.from)) {
            limit = i;
            break;
        }
    }
    // The insertion point counts rows before the dragged one is taken out, so
    // it only shifts when the dragged row lies above it; this keeps a drop
    // below a completed first row inside the list.
    const qsizetype insertion = std::min(limit, above);
    move.to = move.from < insertion ? insertion - 1 : insertion;
    return move;
}

void KPTaskManager::apply(const Move& move)
{
    checkIndex(move.from, tasks.size(), "apply");
    checkIndex(move.to, tasks.size(), "apply");
    if (move.togglesCompleted)
        tasks[move.from].isCompleted = !tasks[move.from].isCompleted;
    tasks.move(move.from, move.to);
    save();
}

std::optional<KPTask> KPTaskManager::firstOpenTask() const
{
    if (tasks.isEmpty() || tasks.first().isCompleted)
        return std::nullopt;
    return tasks.first();
}

std::optional<KPTask> KPTaskManager::creditWorkCycle()
{
    if (!firstOpenTask())
        return std::nullopt;
    changeCycleCount(0, 1);
    Q_EMIT workCycleCredited(tasks.first());
    return tasks.first();
}
