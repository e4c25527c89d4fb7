#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;
class QTimer;

// What the routing table says about the router's address.
struct FoundRouterAddress {
    enum class Kind {
        NoRoute, // no default route (or nothing could be asked): nothing to say
        Address, // the gateway, a valid IPv4 address
        NotAnAddress, // a default route whose gateway is no IPv4 address
    };
    Kind kind = Kind::NoRoute;
    QString address; // for Address only
};

// The default route's gateway in the output of `ip -4 route show default`:
// the word after the first "via". No output at all means no default route;
// a route without a "via", or a gateway that is no valid IPv4 address, is
// NotAnAddress.
FoundRouterAddress GatewayFromRouteOutput(const QByteArray &output);

// The command that lists the default routes, and how long and how much of it
// is waited for and read.
struct RouteQuery {
    QString program = QStringLiteral("ip");
    QStringList arguments = { QStringLiteral("-4"), QStringLiteral("route"), QStringLiteral("show"),
        QStringLiteral("default") };
    int timeLimitMs = 5000;
    qint64 outputCap = 64 * 1024;
};

// Asks the routing table for the router's address without blocking: the
// command runs as a child process in its own process group, its output is
// read as it comes, and it is ended when it runs past the time limit or
// writes more than the cap. Output cut short that way is judged by its whole
// lines only, so a gateway cut in the middle is never taken. A command that
// cannot be started reports NoRoute.
class RouterAddressFinder final : public QObject {
    Q_OBJECT

public:
    explicit RouterAddressFinder(RouteQuery query = RouteQuery(), QObject *parent = nullptr);
    ~RouterAddressFinder() override;
    Q_DISABLE_COPY_MOVE(RouterAddressFinder)

    // Starts the command unless it is already running.
    void start();
    bool isRunning() const { return m_process != nullptr; }
    // Ends a running command; nothing is reported for it.
    void cancel();

signals:
    void finished(const FoundRouterAddress &found);

private:
    void readOutput();
    void stop(bool cutShort);
    void endProcess();

    RouteQuery m_query;
    std::unique_ptr<QProcess> m_process; // the command running now
    std::unique_ptr<QProcess> m_spent; // the last one, ended
    QTimer *m_deadline = nullptr; // child of this
    QByteArray m_output;
};
