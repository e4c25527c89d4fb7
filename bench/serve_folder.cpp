// Serves a folder with the web image server on 127.0.0.1 until interrupted,
// for load tests by hand (bench/wrk_vs_nginx.sh):
//   serve_folder FOLDER PORT
#include "outputs/web_image_server.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: serve_folder FOLDER PORT" << Qt::endl;
        return 2;
    }
    WebImageServer server;
    if (!server.start(
            QString::fromLocal8Bit(argv[1]), QStringLiteral("127.0.0.1"), QString::fromLocal8Bit(argv[2]))) {
        err << WebServerHint(server.status()) << Qt::endl;
        return 1;
    }
    err << WebServerHint(server.status()) << Qt::endl;
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}
