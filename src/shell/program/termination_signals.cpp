#include "shell/program/termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Signals = { SIGTERM, SIGINT, SIGHUP };

// The pipe's ends; -1 while no object listens.
std::atomic<int> g_writeEnd { -1 };
int g_readEnd = -1;

extern "C" void OnTerminationSignal(int signalNumber)
{
    const int fd = g_writeEnd.load();
    if (fd < 0)
        return;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Nothing else can be done here if the pipe is full: a request is
    // already waiting to be read.
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (g_writeEnd.load() >= 0)
        return;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_readEnd = ends[0];
    g_writeEnd.store(ends[1]);
    m_notifier = new QSocketNotifier(g_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action = {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Signals)
        ::sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (const int number : Signals)
        ::signal(number, SIG_DFL);
    const int writeEnd = g_writeEnd.exchange(-1);
    ::close(writeEnd);
    ::close(g_readEnd);
    g_readEnd = -1;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(g_readEnd, &byte, 1) == 1)
        emit terminationRequested(byte);
}
