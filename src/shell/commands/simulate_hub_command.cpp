#include "shell/commands/simulate_hub_command.h"

#include "demo/simulated_router.h"

#include <csignal>
#include <pthread.h>

#include <cstdio>

namespace {

// SIGINT and SIGTERM, blocked in this thread and every thread started after,
// so that only sigwait() below receives them.
sigset_t TerminationSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    return stopSignals;
}

} // namespace

int RunSimulateHub(const CommandLine &line, QTextStream &out, QTextStream &err,
    const std::function<void(const SimulatedRouter &)> &untilStopped)
{
    SimulatedRouter::Options options;
    options.model = line.hubType == u'B' ? SimulatedRouter::Model::TypeB : SimulatedRouter::Model::TypeA;
    options.port = line.port;
    SimulatedRouter router(options);
    QString error;
    if (!router.start(&error)) {
        err << "linewarden: the simulated router cannot listen: " << error << Qt::endl;
        return 1;
    }
    const QString base = QStringLiteral("http://") + router.address();
    out << "Simulated Type " << line.hubType << " router at " << base << "/\n"
        << "Statistics page: " << base << router.statisticsPath() << "\n"
        << "Password: " << options.password << "\n"
        << "Press Ctrl+C to stop." << Qt::endl;
    untilStopped(router);
    router.stop();
    out << "Simulated router stopped after " << router.statisticsRequests() << " statistics pages."
        << Qt::endl;
    return 0;
}

int RunSimulateHub(const CommandLine &line)
{
    const sigset_t stopSignals = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunSimulateHub(line, out, err, [&stopSignals](const SimulatedRouter &) {
        int received = 0;
        sigwait(&stopSignals, &received);
    });
}
