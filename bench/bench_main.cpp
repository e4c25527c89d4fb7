// The one main() of every benchmark. Benchmarks that draw (graphs, captures,
// the web image) are built with LINEWARDEN_BENCH_WIDGETS and run inside a
// widget application, offscreen unless a platform is named; the others run
// inside a core application, so timers, signals and the locale behave as in
// the program.
#ifdef LINEWARDEN_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
#ifdef LINEWARDEN_BENCH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
