#include "outputs/line_events.h"

namespace {

struct KindNames {
    LineEventKind kind;
    const char *text;
    const char *label;
};

constexpr std::array<KindNames, kLineEventKinds> kNames = { {
    { LineEventKind::LineDown, "Line down", "line_down" },
    { LineEventKind::LineUp, "Line up", "line_up" },
    { LineEventKind::Resync, "Resync", "resync" },
    { LineEventKind::RouterSilent, "Router not answering", "router_silent" },
    { LineEventKind::RouterBack, "Router answering", "router_back" },
} };

const KindNames &NamesOf(LineEventKind kind)
{
    return kNames[static_cast<std::size_t>(kind)];
}

bool UptimeWentBack(const LineObservation &before, const LineObservation &now)
{
    return before.routerUptime && now.routerUptime && *now.routerUptime < *before.routerUptime;
}

// The line's change from the last statistics page to this one.
std::optional<LineEventKind> LineChange(const LineObservation &before, const LineObservation &now)
{
    const bool wasUp = before.figures.inSync();
    const bool isUp = now.figures.inSync();
    if (wasUp && !isUp)
        return LineEventKind::LineDown;
    if (!wasUp && isUp)
        return LineEventKind::LineUp;
    if (wasUp && (!before.figures.sameSpeeds(now.figures) || UptimeWentBack(before, now)))
        return LineEventKind::Resync;
    return std::nullopt;
}

} // namespace

QString LineEventText(LineEventKind kind)
{
    return QString::fromLatin1(NamesOf(kind).text);
}

std::optional<LineEventKind> LineEventKindFromText(QStringView text)
{
    for (const KindNames &names : kNames)
        if (text == QLatin1String(names.text))
            return names.kind;
    return std::nullopt;
}

const char *LineEventLabel(LineEventKind kind)
{
    return NamesOf(kind).label;
}

std::vector<LineEvent> LineEventDetector::observe(const LineObservation &sample)
{
    std::vector<LineEvent> events;
    const auto add = [&](LineEventKind kind, const LineEventFigures &before) {
        events.push_back({ sample.moment, kind, before, sample.figures });
    };
    if (!sample.statisticsPage) {
        if (m_answering.value_or(false))
            add(LineEventKind::RouterSilent, m_lastFigures);
    } else {
        if (m_answering && !*m_answering)
            add(LineEventKind::RouterBack, m_lastFigures);
        if (m_lastAnswer)
            if (const std::optional<LineEventKind> change = LineChange(*m_lastAnswer, sample))
                add(*change, m_lastAnswer->figures);
        m_lastAnswer = sample;
    }
    m_answering = sample.statisticsPage;
    m_lastFigures = sample.figures;
    return events;
}

LineEventCounts CountLineEvents(const std::vector<LineEvent> &events, const QDateTime &now)
{
    const QDateTime dayAgo = now.addDays(-1);
    const QDateTime weekAgo = now.addDays(-7);
    LineEventCounts counts;
    for (const LineEvent &event : events) {
        if (event.moment > now || event.moment < weekAgo)
            continue;
        const auto kind = static_cast<std::size_t>(event.kind);
        ++counts.lastWeek[kind];
        if (event.moment >= dayAgo)
            ++counts.lastDay[kind];
    }
    return counts;
}
