#include "graphs/graph_panels.h"

#include "base/settings_schema.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "graphs/time_per_page.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

QWidget *MakePage(QWidget *owner, Chart *chart)
{
    auto *page = new QWidget(owner);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);
    return page;
}

} // namespace

GraphPanels::GraphPanels(GraphModel &model, QWidget *owner)
    : QObject(owner), m_model(model), m_charts(model, owner)
{
    createPages(owner);
    createPagingPanels();
    createPopupMenu(owner);
    createGraphFields(owner);
    createUserGroup(owner);

    connect(&m_model, &GraphModel::fieldsChanged, this, &GraphPanels::followFields);
    connect(&m_model, &GraphModel::userGraphChanged, this, &GraphPanels::followUserGraph);
    followFields();
    followUserGraph(1);
    followUserGraph(2);
}

GraphPanels::~GraphPanels() = default;

void GraphPanels::createPages(QWidget *owner)
{
    TabSheet1 = MakePage(owner, chartOfPage(1));
    TabSheet2 = MakePage(owner, chartOfPage(2));
    TabSheet6 = MakePage(owner, chartOfPage(3));
    TabSheet7 = MakePage(owner, chartOfPage(4));
    // The web graph's page is never shown: the web graph is drawn into the
    // web image only.
    TabSheet3 = new QWidget(owner);
    for (int page = 1; page <= 4; ++page)
        connectChart(chartOfPage(page));
}

void GraphPanels::connectChart(Chart *chart)
{
    connect(chart, &Chart::pressed, this, &GraphPanels::Chart1MouseDown);
    connect(chart, &Chart::scrolled, this, &GraphPanels::Chart1Scroll);
    connect(chart, &Chart::released, this, &GraphPanels::Chart1MouseUp);
    connect(chart, &Chart::mouseMoved, this, &GraphPanels::Chart1MouseMove);
    chart->installEventFilter(this);
}

QFrame *GraphPanels::createPagingPanel(Chart *chart, int distance)
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
        void (GraphPanels::*handler)();
    } buttons[] = {
        { 20, "|<", &GraphPanels::btnHomeClick },
        { 44, "<", &GraphPanels::btnChartBack1Click },
        { 68, ">", &GraphPanels::btnChartForwardClick },
        { 92, ">|", &GraphPanels::btnForwardHomeClick },
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

void GraphPanels::createPagingPanels()
{
    Panel11 = createPagingPanel(chartOfPage(1), 40);
    Panel14 = createPagingPanel(chartOfPage(2), 48);
    Panel15 = createPagingPanel(chartOfPage(3), 48);
    Panel16 = createPagingPanel(chartOfPage(4), 48);
    m_panels = { Panel11, Panel14, Panel15, Panel16 };
}

QLabel *GraphPanels::createLastHourLabel(Chart *chart)
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
void GraphPanels::placeOverlays(Chart *chart)
{
    for (QFrame *panel : m_panels) {
        if (panel && panel->parentWidget() == chart) {
            const int distance = panel->property("distance").toInt();
            panel->move((chart->width() - panel->width()) / 2, chart->height() - distance - panel->height());
        }
    }
    for (const UserControls &graph : m_user)
        if (graph.label && graph.chart == chart)
            graph.label->move((chart->width() - graph.label->width()) / 2, 6);
}

bool GraphPanels::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        if (auto *chart = qobject_cast<Chart *>(watched))
            placeOverlays(chart);
    return QObject::eventFilter(watched, event);
}

void GraphPanels::createPopupMenu(QWidget *owner)
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
    connect(mnuCapNow, &QAction::triggered, this, &GraphPanels::captureVisibleWanted);
    connect(mnuChartSaveAs, &QAction::triggered, this, &GraphPanels::saveVisibleAsWanted);
    connect(mnuCapAll, &QAction::triggered, this, &GraphPanels::captureAllWanted);
    connect(CopytoClipboard1, &QAction::triggered, this, &GraphPanels::CopytoClipboard1Click);
    connect(mnu3D, &QAction::triggered, this, &GraphPanels::mnu3DClick);
}

void GraphPanels::createGraphFields(QWidget *owner)
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

    connect(spSample, &QSpinBox::valueChanged, &m_model, &GraphModel::setSampleSeconds);
    connect(spSample, &QSpinBox::editingFinished, this, &GraphPanels::spSampleExit);
    connect(spPointsPerPage, &QSpinBox::valueChanged, &m_model, &GraphModel::setPageLength);
    connect(spPointsPerPage, &QSpinBox::editingFinished, this, &GraphPanels::spPointsPerPageExit);
}

// The fields show what the model holds; a value they already show changes
// nothing, so following the model never feeds back into it.
void GraphPanels::followFields()
{
    spSample->setValue(m_model.sampleSeconds());
    spPointsPerPage->setValue(m_model.pageLength());
    Panel5->setText(TimePerPageCaption(m_model.sampleSeconds(), m_model.pageLength()));
}

int GraphPanels::chartNumber(const Chart *chart) const
{
    for (int number = 1; number <= 4; ++number)
        if (&m_charts.chart(number) == chart)
            return number;
    return 0;
}

void GraphPanels::spPointsPerPageExit()
{
    if (spPointsPerPage->value() < 10)
        spPointsPerPage->setValue(10);
}

void GraphPanels::spSampleExit()
{
    if (spSample->value() < 10)
        spSample->setValue(10);
}

// ---- paging ----------------------------------------------------------------------

void GraphPanels::Chart1MouseMove(Chart *chart, QPoint pos)
{
    const bool wanted = chart->height() - 100 < pos.y() && pos.y() < chart->height() - 30 && 50 < pos.x()
        && pos.x() < chart->width() - 50;
    for (QFrame *panel : m_panels)
        panel->setVisible(wanted);
}

void GraphPanels::btnHomeClick()
{
    m_model.showFirstPage();
}

void GraphPanels::btnChartBack1Click()
{
    m_model.showPreviousPage();
}

void GraphPanels::btnChartForwardClick()
{
    m_model.showNextPage();
}

void GraphPanels::btnForwardHomeClick()
{
    m_model.showNewestPage();
}

// ---- the chart pop-up menu ---------------------------------------------------------

void GraphPanels::popupChartPopup(Chart *chart)
{
    m_popupChart = chart;
    mnu3D->setChecked(m_model.is3D(chartNumber(chart)));
}

void GraphPanels::mnu3DClick()
{
    // The action's own toggle has already inverted the tick.
    m_model.setThreeD(chartNumber(m_popupChart), mnu3D->isChecked());
}

void GraphPanels::CopytoClipboard1Click()
{
    if (m_popupChart)
        m_popupChart->copyToClipboard();
}

void GraphPanels::copyGraphOfPage(int pageIndex)
{
    if (Chart *chart = chartOfPage(pageIndex))
        chart->copyToClipboard();
}
