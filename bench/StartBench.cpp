#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

namespace {

// Process start to exit, in milliseconds, of a program that quits after its first frame.
double RunToFirstFrame(const QString& program, const QStringList& arguments, benchmark::State& state)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        state.SkipWithError((program + " did not quit cleanly after its first frame").toStdString().c_str());
    return milliseconds;
}

// The editor on its sample photo with a fresh configuration against a bare window showing
// the same photo, alternately, so that both see the same machine load.
void StartToFirstFrame(benchmark::State& state)
{
    double editor = 0.0;
    double bare = 0.0;
    for (auto _ : state) {
        QTemporaryDir home;
        const double once = RunToFirstFrame(QStringLiteral(GLIMMAR_DEMO_PROGRAM),
                                  {QStringLiteral("--quit-after-first-frame"), QStringLiteral("--config-dir"),
                                   home.filePath(QStringLiteral("config")), QStringLiteral("--data-dir"),
                                   home.filePath(QStringLiteral("data"))},
                                  state);
        editor += once;
        bare += RunToFirstFrame(QStringLiteral(GLIMMAR_BARE_START_PROGRAM), {}, state);
        state.SetIterationTime(once / 1e3);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["editor_ms"] = editor / runs;
    state.counters["bare_ms"] = bare / runs;
    state.counters["editor_per_bare"] = editor / bare;
}
BENCHMARK(StartToFirstFrame)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
