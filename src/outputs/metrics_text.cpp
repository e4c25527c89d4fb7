#include "outputs/metrics_text.h"

#include "base/program_version.h"
#include "outputs/published_figures.h"

#include <QLocale>

#include <cmath>

namespace {

struct Family {
    const char *name;
    const char *type; // "gauge" or "counter"
    const char *help;
};

// The metric of each user-defined figure; error counters only grow (until
// the router restarts), the others go up and down.
Family UserFamily(UserFigure figure)
{
    switch (figure) {
    case UserFigure::OutputPower:
        return { "linewarden_output_power_dbm", "gauge", "Output power of the line in dBm." };
    case UserFigure::LineAttenuation:
        return { "linewarden_line_attenuation_db", "gauge", "Attenuation of the line in dB." };
    case UserFigure::ErrorSeconds:
        return { "linewarden_errored_seconds_total", "counter", "Errored seconds the router counted." };
    case UserFigure::FecErrors:
        return { "linewarden_fec_errors_total", "counter", "FEC errors the router counted." };
    case UserFigure::CrcErrors:
        return { "linewarden_crc_errors_total", "counter", "CRC errors the router counted." };
    case UserFigure::HecErrors:
        return { "linewarden_hec_errors_total", "counter", "HEC errors the router counted." };
    case UserFigure::None:
        break;
    }
    return { nullptr, nullptr, nullptr };
}

QByteArray Number(double value)
{
    if (std::isnan(value))
        return QByteArrayLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QByteArrayLiteral("+Inf") : QByteArrayLiteral("-Inf");
    // Whole numbers (counts, speeds, moments) in full, never as "1.7e+09".
    if (std::trunc(value) == value && std::abs(value) < 1e15)
        return QByteArray::number(qint64(value));
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

class Exposition {
public:
    void family(const Family &f)
    {
        m_text += QByteArrayLiteral("# HELP ") + f.name + ' ' + f.help + '\n';
        m_text += QByteArrayLiteral("# TYPE ") + f.name + ' ' + f.type + '\n';
        m_name = f.name;
    }

    void value(double v) { m_text += m_name + ' ' + Number(v) + '\n'; }

    void labelled(const char *label, const char *labelValue, double v)
    {
        m_text += m_name + '{' + label + "=\"" + labelValue + "\"} " + Number(v) + '\n';
    }

    void directions(double down, double up)
    {
        labelled("direction", "downstream", down);
        labelled("direction", "upstream", up);
    }

    QByteArray text() const { return m_text; }

private:
    QByteArray m_text;
    QByteArray m_name;
};

const char *StateName(RunState state)
{
    switch (state) {
    case RunState::Idle:
        return "idle";
    case RunState::Running:
        return "running";
    case RunState::Paused:
        return "paused";
    case RunState::Stopped:
        return "stopped";
    }
    return "idle";
}

} // namespace

QByteArray MetricsContentType()
{
    return QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8");
}

QByteArray MetricsText(const PublishedFigures &figures)
{
    Exposition out;
    // The line's figures only while the router answers with its statistics
    // page: a silent router has no margin, not a margin of 0 dB.
    if (const auto &line = figures.line) {
        out.family({ "linewarden_noise_margin_db", "gauge", "Noise margin of the line in dB." });
        out.directions(line->noiseMarginDown, line->noiseMarginUp);
        out.family({ "linewarden_sync_speed_kbps", "gauge", "Sync speed of the line in Kbps." });
        out.directions(line->speedDown, line->speedUp);
        if (line->uptimeSeconds) {
            out.family({ "linewarden_router_uptime_seconds", "gauge", "Time since the router started." });
            out.value(double(*line->uptimeSeconds));
        }
        for (const PublishedFigures::User &user : line->users) {
            const Family family = UserFamily(user.figure);
            if (!family.name)
                continue;
            out.family(family);
            out.directions(user.down, user.up);
        }
    }

    out.family({ "linewarden_samples_total", "counter", "Samples taken since the program started." });
    out.value(double(figures.samples));
    if (figures.lastSample.isValid()) {
        out.family({ "linewarden_last_sample_timestamp_seconds", "gauge",
            "Time of the last sample in seconds since the epoch." });
        out.value(double(figures.lastSample.toMSecsSinceEpoch()) / 1000.0);
    }
    if (figures.sampleIntervalMs > 0) {
        out.family({ "linewarden_sample_interval_seconds", "gauge", "The interval between samples." });
        out.value(figures.sampleIntervalMs / 1000.0);
    }
    out.family({ "linewarden_line_events_total", "counter", "Line events found since the program started." });
    for (const LineEventKind kind : kAllLineEventKinds)
        out.labelled(
            "kind", LineEventLabel(kind), double(figures.lineEvents[static_cast<std::size_t>(kind)]));
    const int answering = figures.line ? 1 : 0;
    out.family({ "linewarden_router_answering", "gauge",
        "1 when the last page load was the router's statistics page, else 0." });
    out.value(answering);
    out.family({ "linewarden_last_load_statistics_page", "gauge",
        "Deprecated, the same as linewarden_router_answering; to be removed in the next release." });
    out.value(answering);
    out.family({ "linewarden_run_state", "gauge", "The run state of sampling: 1 for the current state." });
    for (const RunState state : { RunState::Idle, RunState::Running, RunState::Paused, RunState::Stopped })
        out.labelled("state", StateName(state), figures.runState == state ? 1 : 0);
    out.family({ "linewarden_build_info", "gauge", "The program's version, in the label; always 1." });
    out.labelled("version", ProgramVersion(), 1);
    return out.text();
}
