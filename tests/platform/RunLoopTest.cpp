#include "platform/ManualRunLoop.h"
#include "platform/QtRunLoop.h"

#include <QCoreApplication>
#include <QTest>

using namespace std::chrono_literals;

class RunLoopTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qtPostRunsAfterTheCurrentEventAndNeverForADeadContext()
    {
        QtRunLoop loop;
        QStringList log;
        auto alive = std::make_unique<QObject>();
        auto doomed = std::make_unique<QObject>();
        loop.post(alive.get(), [&] { log << "alive"; });
        loop.post(doomed.get(), [&] { log << "doomed"; });
        log << "now";
        doomed.reset();
        QCoreApplication::processEvents();
        QCOMPARE(log, (QStringList{"now", "alive"}));
    }

    void manualLoopRunsWorkInTimeOrder()
    {
        ManualRunLoop loop;
        QCOMPARE(&RunLoop::main(), static_cast<RunLoop*>(&loop));
        QObject context;
        QStringList log;
        auto timer = loop.scheduleRepeating(100ms, &context, [&] { log << "tick"; });
        loop.postAfter(250ms, &context, [&] { log << "later"; });
        loop.post(&context, [&] { log << "soon"; });
        loop.advance(300ms);
        QCOMPARE(log, (QStringList{"soon", "tick", "tick", "later", "tick"}));
        log.clear();
        loop.jump(10s); // a stall: the repeating timer fires once, not a hundred times
        loop.runPending();
        QCOMPARE(log, QStringList{"tick"});
        timer.reset();
        loop.advance(1s);
        QCOMPARE(log, QStringList{"tick"});
        QCOMPARE(loop.pendingCount(), 0);
    }
};

QTEST_GUILESS_MAIN(RunLoopTest)
#include "RunLoopTest.moc"
