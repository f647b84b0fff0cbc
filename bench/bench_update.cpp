#include "BenchData.h"
#include "TestHttpServer.h"
#include "core/kernel/ProcessMemory.h"
#include "core/kernel/TableSchema.h"
#include "core/update/ResultsUpdate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

// The whole update as the wizard runs it: downloading two 3,000-draw results files at once
// from 127.0.0.1, then replacing both games' draws (tables of as many draws) with them. Beside
// the time, it reports the longest gap between two turns of the event loop (longest_gap_ms):
// how long a window showing the update would go without handling the user's input.
namespace {

constexpr int Draws = 3000;

// The processor time this thread has used: unlike the clock, it does not count the time the
// system gave to other programs.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QByteArray resultsFile(const QString& folder, const QString& name)
{
    QFile file(BenchData::writeResultsFile(folder, Draws, name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void BM_UpdateBothGames(benchmark::State& state)
{
    QTemporaryDir files;
    // The server answers from a thread of its own, as a real one would.
    auto* server = new TestHttpServer;
    for (const ResultsGame& game : ResultsUpdate::games())
        server->route(game.remotePath.toUtf8(), {.body = resultsFile(files.path(), game.tempFile)});
    const QString url = server->url();
    QThread serverThread;
    server->moveToThread(&serverThread);
    QObject::connect(&serverThread, &QThread::finished, server, &QObject::deleteLater);
    serverThread.start();

    // A turn of the event loop fires this timer; the gaps between its firings are what a user
    // would feel.
    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    double busyAtTurn = 0;
    double longestBusy = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTurn.restart());
        const double busy = threadMilliseconds();
        longestBusy = std::max(longestBusy, busy - busyAtTurn);
        busyAtTurn = busy;
    });

    int updated = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir data;
        for (const ResultsGame& game : ResultsUpdate::games())
            BenchData::makeDrawTable(data.path(), game.tableName, Draws);
        state.ResumeTiming();

        sinceTurn.start();
        busyAtTurn = threadMilliseconds();
        turns.start();
        ResultsUpdate update;
        QEventLoop loop;
        QObject::connect(&update, &ResultsUpdate::finished, &loop, &QEventLoop::quit);
        update.start(url, data.path());
        loop.exec();
        updated = update.install(
            data.path(), [](const QString&) {}, ResultsUpdate::eventPump());
        turns.stop();
    }
    serverThread.quit();
    serverThread.wait();
    if (updated != ResultsUpdate::GameCount)
        state.SkipWithError("the update did not replace both games' draws");
    state.counters["longest_gap_ms"] = double(longestGap);
    state.counters["longest_busy_ms"] = longestBusy;
}

} // namespace

BENCHMARK(BM_UpdateBothGames)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    ProcessMemory::preferLargePages();
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
