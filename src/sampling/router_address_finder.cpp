#include "sampling/router_address_finder.h"

#include "base/ipv4_address.h"

#include <QProcess>
#include <QTimer>

#include <csignal>
#include <unistd.h>

FoundRouterAddress GatewayFromRouteOutput(const QByteArray &output)
{
    const QList<QByteArray> words = output.simplified().split(' ');
    if (words.value(0).isEmpty())
        return {};
    const qsizetype via = words.indexOf("via");
    const QString gateway = via >= 0 ? QString::fromLatin1(words.value(via + 1)) : QString();
    if (!IsValidIPv4(gateway))
        return { FoundRouterAddress::Kind::NotAnAddress, QString() };
    return { FoundRouterAddress::Kind::Address, gateway };
}

RouterAddressFinder::RouterAddressFinder(RouteQuery query, QObject *parent)
    : QObject(parent), m_query(std::move(query)), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] { stop(true); });
}

RouterAddressFinder::~RouterAddressFinder()
{
    endProcess();
}

void RouterAddressFinder::start()
{
    if (m_process)
        return;
    m_output.clear();
    m_process = std::make_unique<QProcess>();
    QProcess &process = *m_process;
    process.setProgram(m_query.program);
    process.setArguments(m_query.arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // Its own process group, so ending it ends whatever it started too.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(&process, &QProcess::readyReadStandardOutput, this, &RouterAddressFinder::readOutput);
    connect(&process, &QProcess::finished, this, [this] {
        readOutput();
        if (m_process)
            stop(false);
    });
    connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && m_process)
            stop(false);
    });
    m_deadline->start(m_query.timeLimitMs);
    process.start(QIODevice::ReadOnly);
}

void RouterAddressFinder::cancel()
{
    m_deadline->stop();
    endProcess();
}

void RouterAddressFinder::readOutput()
{
    if (!m_process)
        return;
    m_output += m_process->read(std::max<qint64>(m_query.outputCap - m_output.size(), 0));
    if (m_output.size() >= m_query.outputCap)
        stop(true);
}

// Judges what was read and reports it; output cut short keeps its whole
// lines only.
void RouterAddressFinder::stop(bool cutShort)
{
    m_deadline->stop();
    endProcess();
    QByteArray output = std::move(m_output);
    m_output.clear();
    if (cutShort)
        output.truncate(output.lastIndexOf('\n') + 1);
    emit finished(GatewayFromRouteOutput(output));
}

// Ends the command and its process group. The process object may be the
// one whose signal is running now, so it is kept, quiet, until the next
// lookup or the end of the finder.
void RouterAddressFinder::endProcess()
{
    if (!m_process)
        return;
    QProcess &process = *m_process;
    process.disconnect(this);
    if (process.state() != QProcess::NotRunning) {
        const qint64 pid = process.processId();
        if (pid > 0)
            ::kill(static_cast<pid_t>(-pid), SIGKILL);
        process.kill();
    }
    m_spent = std::move(m_process);
}
