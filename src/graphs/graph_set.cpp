#include "graphs/graph_set.h"

#include "base/clock.h"
#include "base/settings_bindings.h"
#include "base/web_image_size.h"
#include "graphs/axis_refused.h"
#include "graphs/axis_rules.h"
#include "graphs/chart.h"
#include "graphs/point_label.h"
#include "graphs/time_per_page.h"
#include "graphs/user_graph_rules.h"
#include "sampling/line_sample.h"
#include "sampling/sample_cycle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int HourMs = 3600000;

QWidget *MakePage(QWidget *owner, Chart *chart)
{
    auto *page = new QWidget(owner);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);
    return page;
}

} // namespace

GraphSet::GraphSet(
    SampleCycle &cycle, LineSample &sample, const Clock &clock, Settings &settings, QWidget *owner)
    : QObject(owner), m_cycle(cycle), m_sample(sample), m_clock(clock), m_settings(settings)
{
    createCharts(owner);
    createPagingPanels();
    createPopupMenu(owner);
    createGraphFields(owner);
    createUserGroup(owner);

    Timer3 = new QTimer(this);
    Timer3->setInterval(HourMs);
    connect(Timer3, &QTimer::timeout, this, &GraphSet::Timer3Timer);
}

GraphSet::~GraphSet() = default;

void GraphSet::createCharts(QWidget *owner)
{
    Chart1 = new Chart(owner);
    Chart2 = new Chart(owner);
    Chart3 = new Chart(owner);
    Chart4 = new Chart(owner);
    TabSheet1 = MakePage(owner, Chart1);
    TabSheet2 = MakePage(owner, Chart2);
    TabSheet6 = MakePage(owner, Chart3);
    TabSheet7 = MakePage(owner, Chart4);
    // The web graph is only ever drawn into the web image; its page is never
    // shown and it keeps the web image's size rather than the page's.
    TabSheet3 = new QWidget(owner);
    Chart5 = new Chart(TabSheet3);
    Chart5->resize(kWebImageFallbackSize);

    const auto titles = [](Chart *chart, const char *left, const char *right) {
        chart->setAxisTitle(ChartAxis::Left, QLatin1String(left));
        chart->setAxisTitle(ChartAxis::Right, QLatin1String(right));
    };
    titles(Chart1, "Upstream Noise Margin (dB)", "Downstream Noise Margin (dB)");
    titles(Chart5, "Upstream Noise Margin (dB)", "Downstream Noise Margin (dB)");
    titles(Chart2, "Upstream Connection Speed (Kbps)", "Downstream Connection Speed (Kbps)");
    titles(Chart3, "Upstream User Defined 1", "Downstream User Defined 1");
    titles(Chart4, "Upstream User Defined 2", "Downstream User Defined 2");
    Chart1->setLabelSpacing(30);
    Chart2->setLabelSpacing(30);
    Chart3->setLabelSpacing(100);
    Chart4->setLabelSpacing(100);
    Chart5->setLabelSpacing(90);

    for (Chart *chart : { Chart1, Chart2, Chart3, Chart4 })
        connectChart(chart);
}

void GraphSet::connectChart(Chart *chart)
{
    connect(chart, &Chart::pressed, this, &GraphSet::Chart1MouseDown);
    connect(chart, &Chart::scrolled, this, &GraphSet::Chart1Scroll);
    connect(chart, &Chart::released, this, &GraphSet::Chart1MouseUp);
    connect(chart, &Chart::mouseMoved, this, &GraphSet::Chart1MouseMove);
    chart->installEventFilter(this);
}

QFrame *GraphSet::createPagingPanel(Chart *chart, int distance)
{
    auto *panel = new QFrame(chart);
    panel->setFixedSize(133, 36);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    panel->setPalette(palette);
    panel->setProperty("distance", distance);

    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    const struct {
        int left;
        const char *caption;
        void (GraphSet::*handler)();
    } buttons[] = {
        { 20, "|<", &GraphSet::btnHomeClick },
        { 44, "<", &GraphSet::btnChartBack1Click },
        { 68, ">", &GraphSet::btnChartForwardClick },
        { 92, ">|", &GraphSet::btnForwardHomeClick },
    };
    for (const auto &button : buttons) {
        auto *push = new QPushButton(QLatin1String(button.caption), panel);
        push->setFont(font);
        push->setGeometry(button.left, 8, 23, 22);
        push->setFocusPolicy(Qt::NoFocus);
        connect(push, &QPushButton::clicked, this, button.handler);
    }
    panel->hide();
    return panel;
}

void GraphSet::createPagingPanels()
{
    Panel11 = createPagingPanel(Chart1, 40);
    Panel14 = createPagingPanel(Chart2, 48);
    Panel15 = createPagingPanel(Chart3, 48);
    Panel16 = createPagingPanel(Chart4, 48);
    m_panels = { Panel11, Panel14, Panel15, Panel16 };
}

QLabel *GraphSet::createLastHourLabel(Chart *chart)
{
    auto *label = new QLabel(QStringLiteral("ERRORS IN LAST HOUR"), chart);
    QFont font(QStringLiteral("Arial"), 8);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(161, 13);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    label->hide();
    return label;
}

// The scroll-button panels keep their distance from the graph's bottom edge
// in the horizontal middle; the last-hour labels sit centred near the top.
void GraphSet::placeOverlays(Chart *chart)
{
    for (QFrame *panel : m_panels) {
        if (panel && panel->parentWidget() == chart) {
            const int distance = panel->property("distance").toInt();
            panel->move((chart->width() - panel->width()) / 2, chart->height() - distance - panel->height());
        }
    }
    for (const UserGraph &graph : m_user)
        if (graph.label && graph.chart == chart)
            graph.label->move((chart->width() - graph.label->width()) / 2, 6);
}

bool GraphSet::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        if (auto *chart = qobject_cast<Chart *>(watched))
            placeOverlays(chart);
    return QObject::eventFilter(watched, event);
}

void GraphSet::createPopupMenu(QWidget *owner)
{
    popupChart = new QMenu(owner);
    mnuCapNow = popupChart->addAction(QStringLiteral("Capture Now"));
    mnuChartSaveAs = popupChart->addAction(QStringLiteral("Save As..."));
    mnuCapAll = popupChart->addAction(QStringLiteral("Capture All Now"));
    popupChart->addSeparator();
    CopytoClipboard1 = popupChart->addAction(QStringLiteral("Copy to Clipboard"));
    popupChart->addSeparator();
    mnu3D = popupChart->addAction(QStringLiteral("Show Chart in 3D"));
    mnu3D->setCheckable(true);

    // The menu opens over the graph of the selected tab, which is the one
    // the capture of the visible graph takes.
    connect(mnuCapNow, &QAction::triggered, this, &GraphSet::captureVisibleWanted);
    connect(mnuChartSaveAs, &QAction::triggered, this, &GraphSet::saveVisibleAsWanted);
    connect(mnuCapAll, &QAction::triggered, this, &GraphSet::captureAllWanted);
    connect(CopytoClipboard1, &QAction::triggered, this, &GraphSet::CopytoClipboard1Click);
    connect(mnu3D, &QAction::triggered, this, &GraphSet::mnu3DClick);
}

void GraphSet::createGraphFields(QWidget *owner)
{
    GraphFields = new QWidget(owner);
    auto *grid = new QGridLayout(GraphFields);
    grid->setContentsMargins(0, 0, 0, 0);
    spSample = new QSpinBox(GraphFields);
    spSample->setRange(kSampleSecondsMin, kSampleSecondsMax);
    spPointsPerPage = new QSpinBox(GraphFields);
    spPointsPerPage->setRange(0, std::numeric_limits<int>::max());
    Panel5 = new QLabel(QStringLiteral("Time per page"), GraphFields);
    Panel5->setFrameShape(QFrame::Panel);
    Panel5->setFrameShadow(QFrame::Sunken);
    grid->addWidget(new QLabel(QStringLiteral("Sample every:"), GraphFields), 0, 0);
    grid->addWidget(spSample, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("seconds"), GraphFields), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Plotted points per page:"), GraphFields), 1, 0);
    grid->addWidget(spPointsPerPage, 1, 1);
    grid->addWidget(Panel5, 2, 0, 1, 3);
    cbSaveAxes = new QCheckBox(QStringLiteral("Save vertical graph axes before closing"), owner);

    connect(spSample, &QSpinBox::valueChanged, this, &GraphSet::spSampleChange);
    connect(spSample, &QSpinBox::editingFinished, this, &GraphSet::spSampleExit);
    connect(spPointsPerPage, &QSpinBox::valueChanged, this, &GraphSet::spPointsPerPageChange);
    connect(spPointsPerPage, &QSpinBox::editingFinished, this, &GraphSet::spPointsPerPageExit);
}

int GraphSet::pageLength() const
{
    return spPointsPerPage->value();
}

int GraphSet::chartNumber(const Chart *chart) const
{
    const std::array<const Chart *, 5> charts = { Chart1, Chart2, Chart3, Chart4, Chart5 };
    const auto found = std::find(charts.begin(), charts.end(), chart);
    return found == charts.end() ? 0 : static_cast<int>(found - charts.begin()) + 1;
}

GraphAxesList GraphSet::visibleGraphs() const
{
    return { Chart1, Chart2, Chart3, Chart4 };
}

GraphAxesList GraphSet::allGraphs() const
{
    return { Chart1, Chart2, Chart3, Chart4, Chart5 };
}

Chart *GraphSet::chartOfPage(int pageIndex) const
{
    switch (pageIndex) {
    case 1:
        return Chart1;
    case 2:
        return Chart2;
    case 3:
        return Chart3;
    case 4:
        return Chart4;
    default:
        return nullptr;
    }
}

void GraphSet::setWebGraphSize(const QSize &size)
{
    Chart5->resize(size);
}

// ---- start-up and close ----------------------------------------------------

void GraphSet::bindSettings(SettingsBindings &bindings)
{
    // A stored number beyond a box's range is held at the nearer end; what
    // the box holds is what is kept, even when the box already held it.
    bindings.bind(SettingKey::Sample, [this] {
        spSample->setValue(m_settings.sampleSeconds());
        m_settings.setSampleSeconds(spSample->value());
    });
    bindings.bind(SettingKey::PointsperPage, [this] {
        spPointsPerPage->setValue(m_settings.pointsPerPage());
        m_settings.setPointsPerPage(spPointsPerPage->value());
    });
    for (UserGraph &graph : m_user) {
        const int n = graph.number;
        // Loading a choice is not a change of selection: the log header is
        // built at start-up without asking for it to be written again.
        bindings.bind(n == 1 ? SettingKey::User1 : SettingKey::User2, [this, &graph] {
            {
                const QSignalBlocker block(graph.box);
                graph.box->setCurrentIndex(UserFigureIndex(m_settings.figure(graph.number)));
            }
            m_settings.setFigure(graph.number, figureOf(graph));
        });
        bindings.bind(n == 1 ? SettingKey::Total1 : SettingKey::Total2, [this, &graph] {
            if (m_settings.total(graph.number))
                graph.total->setChecked(true);
        });
        bindings.bind(n == 1 ? SettingKey::LastHour1 : SettingKey::LastHour2, [this, &graph] {
            if (m_settings.lastHour(graph.number))
                graph.lastHour->setChecked(true);
        });
    }
    bindings.bind(SettingKey::SaveAxes, [this] { cbSaveAxes->setChecked(m_settings.saveAxes()); });
    // The twenty axis keys are applied together once the last has been
    // read, so that each pair of limits is checked as a whole.
    bindings.bind(SettingKey::C4R, [this] { restoreAxes(); });
    bindings.bind(SettingKey::ThreeD, [this] { m_threeD = m_settings.threeD(); });
    bindings.bind(SettingKey::DateStamp, [this] { m_dateStamp = m_settings.dateStamp(); });
    bindings.beforeSave([this] { collectAxes(); });

    // Changes by the user reach the settings at once.
    connect(
        spSample, &QSpinBox::valueChanged, this, [this](int value) { m_settings.setSampleSeconds(value); });
    connect(spPointsPerPage, &QSpinBox::valueChanged, this,
        [this](int value) { m_settings.setPointsPerPage(value); });
    for (UserGraph &graph : m_user) {
        connect(graph.box, &QComboBox::currentIndexChanged, this,
            [this, &graph](int index) { m_settings.setFigure(graph.number, UserFigureFromIndex(index)); });
        connect(graph.total, &QRadioButton::toggled, this,
            [this, &graph](bool on) { m_settings.setTotal(graph.number, on); });
        connect(graph.lastHour, &QRadioButton::toggled, this,
            [this, &graph](bool on) { m_settings.setLastHour(graph.number, on); });
    }
    connect(cbSaveAxes, &QCheckBox::toggled, this, [this](bool on) { m_settings.setSaveAxes(on); });
}

void GraphSet::startUp()
{
    startUpUserGraphs();
    for (const UserGraph &graph : m_user)
        if (figureOf(graph) == UserFigure::None)
            setNoneAxes(graph.chart);

    // The window starts at [0, L] and fills from the left.
    for (Chart *chart : { Chart1, Chart2, Chart3, Chart4, Chart5 })
        SetRangeSafely(*chart, ChartAxis::Bottom, 0, 1);
    spSampleChange();
    spPointsPerPageChange();

    applyThreeD();
    setWebGraphSize(m_settings.webGraphSize());
    m_plotCount = 0;
    Timer3->start();
}

void GraphSet::setDateStamp(bool on)
{
    m_dateStamp = on;
    m_settings.setDateStamp(on);
}

// Saved limits replace the start values only when the option is on (the
// settings then hold them); a saved pair with its minimum above its maximum
// (a hand-edited file) is skipped.
void GraphSet::restoreAxes()
{
    for (int number : { 1, 5, 2, 3, 4 }) {
        Chart *chart = chartOfPage(number) ? chartOfPage(number) : Chart5;
        const AxisLimitSet start = GraphSettings::fixedAxisLimits(number);
        const AxisLimitSet limits = m_settings.axisLimits(number);
        const bool leftOk = limits.leftMin <= limits.leftMax;
        const bool rightOk = limits.rightMin <= limits.rightMax;
        SetRangeSafely(*chart, ChartAxis::Left, leftOk ? limits.leftMin : start.leftMin,
            leftOk ? limits.leftMax : start.leftMax);
        SetRangeSafely(*chart, ChartAxis::Right, rightOk ? limits.rightMin : start.rightMin,
            rightOk ? limits.rightMax : start.rightMax);
    }
}

// The limits are stored only when the option is on; otherwise the keys
// keep what the file held.
void GraphSet::collectAxes()
{
    if (!m_settings.saveAxes())
        return;
    for (int number = 1; number <= 5; ++number) {
        const Chart *chart = chartOfPage(number) ? chartOfPage(number) : Chart5;
        m_settings.setAxisLimits(number, chart->minimum(ChartAxis::Left), chart->maximum(ChartAxis::Left),
            chart->minimum(ChartAxis::Right), chart->maximum(ChartAxis::Right));
    }
}

// ---- plotting ---------------------------------------------------------------

void GraphSet::setLabelSpacing()
{
    for (Chart *chart : { Chart1, Chart2, Chart3, Chart4 })
        chart->setLabelSpacing(LabelSpacing(m_dateStamp));
}

void GraphSet::PlotSample(const LineSample &sample, const QDateTime &moment)
{
    // One moment for all points of the sample, in UTC so that the ten series
    // do not each convert it from local time.
    const QDateTime now = moment.toUTC();

    const LabelForm form = LabelFormFor(m_dateStamp);
    const auto plot = [&](Chart *chart, LabelForm labelForm, double up, double down) {
        chart->addPoint(ChartSide::Left, up, now, labelForm, PointColour::Blue);
        chart->addPoint(ChartSide::Right, down, now, labelForm, PointColour::Maroon);
    };
    plot(Chart1, form, sample.noiseMarginUp, sample.noiseMarginDown);
    plot(Chart5, LabelForm::Time, sample.noiseMarginUp, sample.noiseMarginDown);
    plot(Chart2, form, sample.speedUp, sample.speedDown);
    AdjustChart1(*Chart1, sample.noiseMarginUp, sample.noiseMarginDown);
    AdjustChart5(*Chart5, sample.noiseMarginUp, sample.noiseMarginDown);
    AdjustChart2(*Chart2, sample.speedUp, sample.speedDown);
    plotUserGraph(m_user[0], sample, now);
    plotUserGraph(m_user[1], sample, now);

    ++m_plotCount;
    const int L = pageLength();
    MoveToNewestPage(allGraphs(), L, m_plotCount);
    const PanMode pan = L - 5 < m_plotCount ? PanMode::Both : PanMode::Vertical;
    for (Chart *chart : { Chart1, Chart2, Chart3, Chart4 })
        chart->setPanMode(pan);
}

void GraphSet::markLineEvent()
{
    // Two events of one sample (the router back, the line resynchronised)
    // share one mark.
    const int newest = Chart1->series(ChartSide::Left).count() - 1;
    const std::vector<double> &marks = Chart1->marks();
    if (newest >= 0 && (marks.empty() || marks.back() != newest))
        Chart1->addMark(newest);
}

void GraphSet::plotUserGraph(UserGraph &graph, const LineSample &sample, const QDateTime &moment)
{
    const bool first = graph.number == 1;
    const UserGraphPoint point = UserGraphPointFor(figureOf(graph), inLastHourMode(graph),
        first ? sample.user1Up : sample.user2Up, first ? sample.user1Down : sample.user2Down,
        first ? sample.user1UpBase : sample.user2UpBase, first ? sample.user1DownBase : sample.user2DownBase);
    const LabelForm form = LabelFormFor(m_dateStamp);
    graph.chart->addPoint(ChartSide::Left, point.up, moment, form, point.colour[0]);
    graph.chart->addPoint(ChartSide::Right, point.down, moment, form, point.colour[1]);
    if (!point.applyAxisRule)
        return;
    if (first)
        AdjustChart3(*graph.chart, point.up, point.down);
    else
        AdjustChart4(*graph.chart, point.up, point.down);
}

// ---- the page length and sample interval fields --------------------------------

void GraphSet::updateTimePerPage()
{
    Panel5->setText(TimePerPageCaption(spSample->value(), spPointsPerPage->value()));
}

void GraphSet::spPointsPerPageChange()
{
    const int L = pageLength();
    ApplyPageLength(allGraphs(), L);
    if (L >= 0)
        for (Chart *chart : { Chart1, Chart2, Chart3, Chart4, Chart5 })
            chart->setPointsPerPage(L);
    updateTimePerPage();
}

void GraphSet::spPointsPerPageExit()
{
    if (spPointsPerPage->value() < 10)
        spPointsPerPage->setValue(10);
}

void GraphSet::spSampleChange()
{
    m_cycle.setSampleSeconds(spSample->value());
    updateTimePerPage();
}

void GraphSet::spSampleExit()
{
    if (spSample->value() < 10)
        spSample->setValue(10);
}

// ---- paging ----------------------------------------------------------------------

void GraphSet::Chart1MouseMove(Chart *chart, QPoint pos)
{
    const bool wanted = chart->height() - 100 < pos.y() && pos.y() < chart->height() - 30 && 50 < pos.x()
        && pos.x() < chart->width() - 50;
    for (QFrame *panel : m_panels)
        panel->setVisible(wanted);
}

void GraphSet::btnHomeClick()
{
    m_cycle.btnStopClick();
    ShowFirstPage(visibleGraphs(), pageLength());
}

void GraphSet::btnChartBack1Click()
{
    m_cycle.btnStopClick();
    ShowPreviousPage(visibleGraphs(), pageLength());
}

void GraphSet::btnChartForwardClick()
{
    ShowNextPage(visibleGraphs(), pageLength(), m_plotCount);
}

void GraphSet::btnForwardHomeClick()
{
    m_cycle.btnRunClick();
    MoveToNewestPage(visibleGraphs(), pageLength(), m_plotCount);
}

// ---- the chart pop-up menu ---------------------------------------------------------

void GraphSet::popupChartPopup(Chart *chart)
{
    m_popupChart = chart;
    const int position = chartNumber(chart);
    mnu3D->setChecked(
        position >= 1 && position <= m_threeD.size() && m_threeD.at(position - 1) == QLatin1Char('1'));
}

void GraphSet::mnu3DClick()
{
    // The action's own toggle has already inverted the tick.
    const int position = chartNumber(m_popupChart);
    if (position < 1 || position > 4)
        return;
    m_threeD[position - 1] = mnu3D->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    m_settings.setThreeD(m_threeD);
    applyThreeD();
}

// Characters 1 to 4 switch Chart1 to Chart4; the web graph follows the
// first. A short or damaged flags text counts as '0' where it has no '1'.
void GraphSet::applyThreeD()
{
    m_threeD = m_threeD.leftJustified(5, QLatin1Char('0'));
    const auto on = [this](int position) { return m_threeD.at(position - 1) == QLatin1Char('1'); };
    Chart1->set3D(on(1));
    Chart2->set3D(on(2));
    Chart3->set3D(on(3));
    Chart4->set3D(on(4));
    Chart5->set3D(on(1));
}

void GraphSet::CopytoClipboard1Click()
{
    if (m_popupChart)
        m_popupChart->copyToClipboard();
}

void GraphSet::copyGraphOfPage(int pageIndex)
{
    if (Chart *chart = chartOfPage(pageIndex))
        chart->copyToClipboard();
}
