#pragma once

#include "base/user_figure.h"
#include "outputs/line_events.h"
#include "sampling/run_state.h"

#include <QDateTime>

#include <array>
#include <mutex>
#include <optional>
#include <vector>

// The line's latest figures as /metrics publishes them.
struct PublishedFigures {
    // A user-defined figure as it was read.
    struct User {
        UserFigure figure = UserFigure::None;
        double down = 0;
        double up = 0;
    };

    // The line as one statistics page showed it.
    struct Line {
        double noiseMarginDown = 0;
        double noiseMarginUp = 0;
        double speedDown = 0;
        double speedUp = 0;
        std::optional<qint64> uptimeSeconds; // when the page's uptime read as one
        std::vector<User> users; // the figures read, each at most once
    };

    // The line when the last page load was read as the statistics page;
    // nothing when it was another page (the router did not answer) or no
    // page has loaded yet, so a silent router publishes no line figures
    // rather than stale ones or zeros.
    std::optional<Line> line;
    quint64 samples = 0; // samples taken since start
    QDateTime lastSample; // the moment of the last sample; invalid before the first
    int sampleIntervalMs = 0; // the sample timer's interval; 0 when not known
    // Line events found since start, per kind (indexed by LineEventKind).
    std::array<quint64, kLineEventKinds> lineEvents {};
    RunState runState = RunState::Idle;
};

// The figures shared between the pipeline, which writes them on the
// user-interface thread, and the server's threads, which read a copy.
class PublishedFiguresStore {
public:
    PublishedFigures snapshot() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_figures;
    }

    // Changes the figures under the lock.
    template<typename Change> void update(Change change)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        change(m_figures);
    }

private:
    mutable std::mutex m_mutex;
    PublishedFigures m_figures;
};
