#include "graphs/graph_model.h"

#include "base/settings_bindings.h"
#include "graphs/axis_rules.h"
#include "graphs/point_label.h"
#include "sampling/line_sample.h"

#include <algorithm>

GraphModel::GraphModel(const Clock &clock, Settings &settings, QObject *parent)
    : QObject(parent), m_clock(clock), m_settings(settings)
{
    for (TimeGraph *&graph : m_graphs)
        graph = new TimeGraph(this);
    const auto titles = [this](int number, const char *left, const char *right) {
        graph(number).setAxisTitle(ChartAxis::Left, QLatin1String(left));
        graph(number).setAxisTitle(ChartAxis::Right, QLatin1String(right));
    };
    titles(1, "Upstream Noise Margin (dB)", "Downstream Noise Margin (dB)");
    titles(5, "Upstream Noise Margin (dB)", "Downstream Noise Margin (dB)");
    titles(2, "Upstream Connection Speed (Kbps)", "Downstream Connection Speed (Kbps)");
    titles(3, "Upstream User Defined 1", "Downstream User Defined 1");
    titles(4, "Upstream User Defined 2", "Downstream User Defined 2");
    for (const auto &[number, spacing] :
        { std::pair { 1, 30 }, { 2, 30 }, { 3, 100 }, { 4, 100 }, { 5, 90 } })
        graph(number).setLabelSpacing(spacing);

    m_hour.setInterval(kHourMs);
    connect(&m_hour, &QTimer::timeout, this, &GraphModel::hourBegan);
}

GraphModel::~GraphModel() = default;

TimeGraph &GraphModel::graph(int number) const
{
    return *m_graphs.at(static_cast<size_t>(std::clamp(number, 1, kGraphCount) - 1));
}

TimeGraph *GraphModel::graphOfPage(int pageIndex) const
{
    return pageIndex >= 1 && pageIndex <= 4 ? &graph(pageIndex) : nullptr;
}

GraphAxesList GraphModel::visibleGraphs() const
{
    return { m_graphs[0], m_graphs[1], m_graphs[2], m_graphs[3] };
}

GraphAxesList GraphModel::allGraphs() const
{
    return { m_graphs[0], m_graphs[1], m_graphs[2], m_graphs[3], m_graphs[4] };
}

// ---- settings, start-up and close --------------------------------------------

void GraphModel::bindSettings(SettingsBindings &bindings)
{
    // A stored number beyond a field's range is held at the nearer end; what
    // the field holds is what is kept.
    bindings.bind(SettingKey::Sample, [this] {
        setSampleSeconds(std::clamp(m_settings.sampleSeconds(), kSampleSecondsMin, kSampleSecondsMax));
        m_settings.setSampleSeconds(m_sampleSeconds);
    });
    bindings.bind(SettingKey::PointsperPage, [this] {
        setPageLength(std::max(m_settings.pointsPerPage(), 0));
        m_settings.setPointsPerPage(m_pageLength);
    });
    for (const int number : { 1, 2 }) {
        // Loading a choice is not a change of selection: the log header is
        // built at start-up without asking for it to be written again.
        bindings.bind(number == 1 ? SettingKey::User1 : SettingKey::User2, [this, number] {
            user(number).figure = m_settings.figure(number);
            m_settings.setFigure(number, user(number).figure);
            emit userGraphChanged(number);
        });
        bindings.bind(number == 1 ? SettingKey::Total1 : SettingKey::Total2, [this, number] {
            if (m_settings.total(number))
                setLastHourChecked(number, false);
        });
        bindings.bind(number == 1 ? SettingKey::LastHour1 : SettingKey::LastHour2, [this, number] {
            if (m_settings.lastHour(number))
                setLastHourChecked(number, true);
        });
    }
    // The twenty axis keys are applied together once the last has been
    // read, so that each pair of limits is checked as a whole.
    bindings.bind(SettingKey::C4R, [this] { restoreAxes(); });
    bindings.bind(SettingKey::ThreeD, [this] { m_threeD = m_settings.threeD(); });
    bindings.bind(SettingKey::DateStamp, [this] { m_dateStamp = m_settings.dateStamp(); });
    bindings.beforeSave([this] { collectAxes(); });
}

void GraphModel::startUp()
{
    startUpUserGraphs();
    for (const int number : { 1, 2 })
        if (user(number).figure == UserFigure::None)
            setNoneAxes(number + 2);

    // The window starts at [0, L] and fills from the left.
    for (TimeGraph *graph : m_graphs)
        SetRangeSafely(*graph, ChartAxis::Bottom, 0, 1);
    emit sampleSecondsChanged(m_sampleSeconds);
    applyPageLength();
    emit fieldsChanged();

    applyThreeD();
    m_plotCount = 0;
    m_hour.start();
}

// Saved limits replace the start values only when the option is on (the
// settings then hold them); a saved pair with its minimum above its maximum
// (a hand-edited file) is skipped.
void GraphModel::restoreAxes()
{
    for (int number : { 1, 5, 2, 3, 4 }) {
        const AxisLimitSet start = GraphSettings::fixedAxisLimits(number);
        const AxisLimitSet limits = m_settings.axisLimits(number);
        const bool leftOk = limits.leftMin <= limits.leftMax;
        const bool rightOk = limits.rightMin <= limits.rightMax;
        SetRangeSafely(graph(number), ChartAxis::Left, leftOk ? limits.leftMin : start.leftMin,
            leftOk ? limits.leftMax : start.leftMax);
        SetRangeSafely(graph(number), ChartAxis::Right, rightOk ? limits.rightMin : start.rightMin,
            rightOk ? limits.rightMax : start.rightMax);
    }
}

// The limits are stored only when the option is on; otherwise the keys
// keep what the file held.
void GraphModel::collectAxes()
{
    if (!m_settings.saveAxes())
        return;
    for (int number = 1; number <= kGraphCount; ++number) {
        const TimeGraph &g = graph(number);
        m_settings.setAxisLimits(number, g.minimum(ChartAxis::Left), g.maximum(ChartAxis::Left),
            g.minimum(ChartAxis::Right), g.maximum(ChartAxis::Right));
    }
}

// ---- the fields, the date stamp and the 3-D look -------------------------------

void GraphModel::setSampleSeconds(int seconds)
{
    if (seconds == m_sampleSeconds)
        return;
    m_sampleSeconds = seconds;
    m_settings.setSampleSeconds(seconds);
    emit sampleSecondsChanged(seconds);
    emit fieldsChanged();
}

void GraphModel::setPageLength(int points)
{
    if (points == m_pageLength)
        return;
    m_pageLength = points;
    m_settings.setPointsPerPage(points);
    applyPageLength();
    emit fieldsChanged();
}

void GraphModel::applyPageLength()
{
    ApplyPageLength(allGraphs(), m_pageLength);
    if (m_pageLength >= 0)
        for (TimeGraph *graph : m_graphs)
            graph->setPointsPerPage(m_pageLength);
}

void GraphModel::setDateStamp(bool on)
{
    m_dateStamp = on;
    m_settings.setDateStamp(on);
}

bool GraphModel::is3D(int number) const
{
    return number >= 1 && number <= m_threeD.size() && m_threeD.at(number - 1) == QLatin1Char('1');
}

void GraphModel::setThreeD(int number, bool on)
{
    if (number < 1 || number > 4)
        return;
    m_threeD = m_threeD.leftJustified(kGraphCount, QLatin1Char('0'));
    m_threeD[number - 1] = on ? QLatin1Char('1') : QLatin1Char('0');
    m_settings.setThreeD(m_threeD);
    applyThreeD();
}

// Characters 1 to 4 switch graphs 1 to 4; the web graph follows the first.
// A short or damaged flags text counts as '0' where it has no '1'.
void GraphModel::applyThreeD()
{
    m_threeD = m_threeD.leftJustified(kGraphCount, QLatin1Char('0'));
    for (int number = 1; number <= 4; ++number)
        graph(number).set3D(is3D(number));
    graph(5).set3D(is3D(1));
}

// ---- plotting ---------------------------------------------------------------

void GraphModel::setLabelSpacing()
{
    for (int number = 1; number <= 4; ++number)
        graph(number).setLabelSpacing(LabelSpacing(m_dateStamp));
}

void GraphModel::PlotSample(const LineSample &sample, const QDateTime &moment)
{
    plotPoints(sample, moment);
    followNewestPoint();
}

void GraphModel::plotPoints(const LineSample &sample, const QDateTime &moment)
{
    // One moment for all points of the sample, in UTC so that the ten series
    // do not each convert it from local time.
    const QDateTime now = moment.toUTC();

    const LabelForm form = LabelFormFor(m_dateStamp);
    const auto plot = [&](int number, LabelForm labelForm, double up, double down) {
        graph(number).addPoint(ChartSide::Left, up, now, labelForm, PointColour::Blue);
        graph(number).addPoint(ChartSide::Right, down, now, labelForm, PointColour::Maroon);
    };
    plot(1, form, sample.noiseMarginUp, sample.noiseMarginDown);
    plot(5, LabelForm::Time, sample.noiseMarginUp, sample.noiseMarginDown);
    plot(2, form, sample.speedUp, sample.speedDown);
    AdjustChart1(graph(1), sample.noiseMarginUp, sample.noiseMarginDown);
    AdjustChart5(graph(5), sample.noiseMarginUp, sample.noiseMarginDown);
    AdjustChart2(graph(2), sample.speedUp, sample.speedDown);
    plotUserGraph(1, sample, now);
    plotUserGraph(2, sample, now);

    ++m_plotCount;
}

// The window shows the newest page once the first is full; horizontal
// dragging is allowed five samples before that.
void GraphModel::followNewestPoint()
{
    MoveToNewestPage(allGraphs(), m_pageLength, m_plotCount);
    const PanMode pan = m_pageLength - 5 < m_plotCount ? PanMode::Both : PanMode::Vertical;
    for (int number = 1; number <= 4; ++number)
        graph(number).setPanMode(pan);
}

void GraphModel::markLineEvent()
{
    // Two events of one sample (the router back, the line resynchronised)
    // share one mark.
    TimeGraph &noise = graph(1);
    const int newest = noise.series(ChartSide::Left).count() - 1;
    const std::vector<double> &marks = noise.marks();
    if (newest >= 0 && (marks.empty() || marks.back() != newest))
        noise.addMark(newest);
}

// ---- paging ----------------------------------------------------------------------

void GraphModel::showFirstPage()
{
    emit pauseWanted();
    ShowFirstPage(visibleGraphs(), m_pageLength);
}

void GraphModel::showPreviousPage()
{
    emit pauseWanted();
    ShowPreviousPage(visibleGraphs(), m_pageLength);
}

void GraphModel::showNextPage()
{
    ShowNextPage(visibleGraphs(), m_pageLength, m_plotCount);
}

void GraphModel::showNewestPage()
{
    emit runWanted();
    MoveToNewestPage(visibleGraphs(), m_pageLength, m_plotCount);
}

void GraphModel::holdSampling(bool held)
{
    emit samplingHeld(held);
}
