#include "demo/simulated_router.h"

#include "demo/hub_a_site.h"
#include "demo/hub_b_site.h"
#include "demo/router_faults.h"
#include "demo/router_state.h"
#include "http/http_server.h"

#include <mutex>

struct SimulatedRouter::State {
    State(const Options &options)
        : router(options.seed, options.password), seed(options.seed), hugePageBytes(options.hugePageBytes)
    {
        if (options.model == Model::TypeA)
            site = std::make_unique<HubASite>();
        else
            site = std::make_unique<HubBSite>(options.typeBStatisticsNeedLogin);
    }

    HttpReply answer(const HttpRequest &request)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (fault != Fault::None && site->isStatisticsRequest(request))
            return FaultReply(fault, seed + quint32(++faultsServed), hugePageBytes);
        const int servedBefore = router.statisticsServed();
        HttpReply reply = site->answer(request, router);
        if (router.statisticsServed() != servedBefore)
            lastFigures = router.currentFigures();
        return reply;
    }

    mutable std::mutex mutex;
    RouterState router;
    std::unique_ptr<HubSite> site;
    quint32 seed = 1;
    quint64 hugePageBytes = 0;
    Fault fault = Fault::None;
    int faultsServed = 0;
    LineFigures lastFigures;
    quint16 lastPort = 0;

    // Last, so it stops (and no handler runs any more) before the rest goes.
    std::unique_ptr<HttpServer> server;
};

SimulatedRouter::SimulatedRouter(const Options &options)
    : m_options(options), m_state(std::make_unique<State>(options))
{
}

SimulatedRouter::~SimulatedRouter()
{
    stop();
}

bool SimulatedRouter::start(QString *error)
{
    stop();
    State *state = m_state.get();
    m_state->server = std::make_unique<HttpServer>(
        [state](const HttpRequest &request) { return state->answer(request); });
    HttpServerOptions options;
    options.address = QHostAddress(QHostAddress::LocalHost);
    // A restarted router comes back at the address it had.
    options.port = m_state->lastPort != 0 ? m_state->lastPort : m_options.port;
    options.perIpConnectionLimit = 0; // everything comes from 127.0.0.1
    if (!m_state->server->start(options, error)) {
        m_state->server.reset();
        return false;
    }
    m_state->lastPort = m_state->server->port();
    return true;
}

void SimulatedRouter::stop()
{
    if (m_state->server) {
        m_state->server->stop();
        m_state->server.reset();
    }
}

quint16 SimulatedRouter::port() const
{
    return m_state->server ? m_state->server->port() : 0;
}

QString SimulatedRouter::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QString SimulatedRouter::statisticsPath() const
{
    return m_state->site->statisticsPath();
}

void SimulatedRouter::setFault(Fault fault)
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->fault = fault;
}

int SimulatedRouter::statisticsRequests() const
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->router.statisticsServed();
}

LineFigures SimulatedRouter::lastFigures() const
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->lastFigures;
}

void SimulatedRouter::logOutAll()
{
    const std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->router.sessions().closeAll();
}
