#pragma once

#include "demo/line_figures.h"
#include "demo/router_sessions.h"
#include "demo/simulated_line.h"
#include "http/http_reply.h"

#include <QString>

// What the pages of a simulated router share: the line, the logins and the
// count of statistics pages served. Not guarded: the router calls the pages
// under its own lock.
class RouterState final {
public:
    RouterState(quint32 seed, const QString &password);

    // Seconds of line time that pass between two statistics pages.
    static constexpr int kSecondsPerStatisticsPage = 10;

    // The figures for the next statistics page: the line moves on one step.
    const LineFigures &nextStatistics();

    const LineFigures &currentFigures() const { return m_line.figures(); }
    int statisticsServed() const { return m_statisticsServed; }
    RouterSessions &sessions() { return m_sessions; }
    const QString &password() const { return m_password; }

private:
    SimulatedLine m_line;
    RouterSessions m_sessions;
    QString m_password;
    int m_statisticsServed = 0;
};

// Replies every router page uses.
HttpReply RouterPage(const QString &html, int status = 200);
HttpReply RouterNotFound();
HttpReply RouterMethodNotAllowed();
