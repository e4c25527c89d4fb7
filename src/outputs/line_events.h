#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// What happened to the line between two samples.
enum class LineEventKind {
    LineDown, // the router's page shows no sync: downstream speed 0
    LineUp, // in sync again after a drop
    Resync, // in sync before and after, at other speeds or after the router's uptime went back
    RouterSilent, // the page loaded was not the statistics page
    RouterBack, // the statistics page again after it was not
};

constexpr std::size_t kLineEventKinds = 5;
constexpr std::array<LineEventKind, kLineEventKinds> kAllLineEventKinds = { LineEventKind::LineDown,
    LineEventKind::LineUp, LineEventKind::Resync, LineEventKind::RouterSilent, LineEventKind::RouterBack };

// "Line down", "Line up", "Resync", "Router not answering", "Router answering".
QString LineEventText(LineEventKind kind);
// The kind a text of LineEventText names.
std::optional<LineEventKind> LineEventKindFromText(QStringView text);
// The kind's label in /metrics: "line_down", "line_up", "resync",
// "router_silent", "router_back".
const char *LineEventLabel(LineEventKind kind);

// The line's figures of one sample.
struct LineEventFigures {
    double noiseMarginUp = 0;
    double noiseMarginDown = 0;
    double speedUp = 0;
    double speedDown = 0;

    bool inSync() const { return speedDown > 0; }
    bool sameSpeeds(const LineEventFigures &other) const
    {
        return speedUp == other.speedUp && speedDown == other.speedDown;
    }
    bool operator==(const LineEventFigures &other) const
    {
        return noiseMarginUp == other.noiseMarginUp && noiseMarginDown == other.noiseMarginDown
            && sameSpeeds(other);
    }
};

struct LineEvent {
    QDateTime moment; // the moment of the sample that showed it
    LineEventKind kind = LineEventKind::LineDown;
    LineEventFigures before;
    LineEventFigures after;
};

// One sample as the detector sees it.
struct LineObservation {
    QDateTime moment;
    bool statisticsPage = false; // the router answered with its statistics page
    LineEventFigures figures;
    std::optional<qint64> routerUptime; // seconds, when the page showed it
};

// Finds the events in consecutive samples. The first sample it sees sets
// what the next ones are compared with and gives no event, so a program
// started again does not report what it reported before. The line's state
// is compared with the last statistics page, across any loads in between
// on which the router did not answer: a router that comes back at other
// speeds, or with its uptime started again, has resynchronised too.
class LineEventDetector {
public:
    std::vector<LineEvent> observe(const LineObservation &sample);

private:
    std::optional<bool> m_answering; // whether the last sample was the statistics page
    LineEventFigures m_lastFigures; // of the last sample
    std::optional<LineObservation> m_lastAnswer; // the last statistics page
};

// Events of each kind, indexed by the kind.
using LineEventTally = std::array<int, kLineEventKinds>;

struct LineEventCounts {
    LineEventTally lastDay {};
    LineEventTally lastWeek {};
};

// The events in the 24 hours and the 7 days up to now (an event exactly
// that long ago counts; one after now does not).
LineEventCounts CountLineEvents(const std::vector<LineEvent> &events, const QDateTime &now);
