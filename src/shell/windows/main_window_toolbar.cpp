// The main window's toolbar: Start and Pause, the capture and log buttons,
// the line's read-outs and the indicators, over a background picture.
#include "shell/windows/main_window.h"

#include "sampling/sample_cycle.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/indicator_pictures.h"
#include "shell/controls/log_controls.h"
#include "shell/controls/steady_label.h"
#include "shell/controls/web_server_controls.h"
#include "shell/program/line_monitor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace {

QLabel *Readout(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MakeSteady(*label, 90);
    return label;
}

QLabel *Caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

void TForm1::buildToolbar()
{
    auto *bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setMovable(false);
    bar->setMouseTracking(true);
    bar->installEventFilter(this);
    m_toolbar = bar;
    m_toolbarPicture = ToolbarBackgroundPicture();
    bar->setObjectName(QStringLiteral("ImageToolbar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    btnRun = new QToolButton(bar);
    btnRun->setObjectName(QStringLiteral("btnRun"));
    btnRun->setToolTip(QStringLiteral("Start / pause plotting"));
    btnRun->setCheckable(true);
    btnRun->setEnabled(false);
    btnRun->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(btnRun);

    btnStop = new QToolButton(bar);
    btnStop->setObjectName(QStringLiteral("btnStop"));
    btnStop->setCheckable(true);
    btnStop->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnStop->installEventFilter(this);
    bar->addWidget(btnStop);

    connect(btnRun, &QToolButton::clicked, &m_monitor.cycle(), &SampleCycle::btnRunClick);
    connect(btnStop, &QToolButton::clicked, &m_monitor.cycle(), &SampleCycle::btnStopClick);
    // A click toggles the button's latched look itself; the look follows
    // the run state, whatever the click did.
    connect(btnRun, &QToolButton::clicked, this, &TForm1::runStateChanged);
    connect(btnStop, &QToolButton::clicked, this, &TForm1::runStateChanged);
    bar->addWidget(m_capture->btnCapture);
    bar->addWidget(m_capture->btnViewCap);
    connect(m_capture->btnViewCap, &QToolButton::clicked, this, &TForm1::btnViewCapClick);
    bar->addWidget(m_capture->Indicators);
    bar->addWidget(m_logControls->btnLog);

    auto *readouts = new QWidget(bar);
    auto *grid = new QGridLayout(readouts);
    grid->setContentsMargins(12, 0, 4, 0);
    grid->setVerticalSpacing(0);
    Label20 = Readout(readouts);
    Label22 = Readout(readouts);
    Label15 = Readout(readouts);
    Label23 = Readout(readouts);
    Label25 = Readout(readouts);
    grid->addWidget(Caption(QStringLiteral("Router Uptime:"), readouts), 0, 0);
    grid->addWidget(Label25, 0, 1, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Upstream:"), readouts), 1, 0);
    grid->addWidget(Label20, 1, 1);
    grid->addWidget(Label15, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Downstream:"), readouts), 2, 0);
    grid->addWidget(Label22, 2, 1);
    grid->addWidget(Label23, 2, 2);
    bar->addWidget(readouts);
    // A widget put straight on a tool bar shows and hides only through its
    // action; the logging indicator shows and hides itself with "Enable
    // logging", so it sits in a holder as the other indicators do.
    auto *logIndicator = new QWidget(bar);
    auto *logRow = new QHBoxLayout(logIndicator);
    logRow->setContentsMargins(4, 0, 4, 0);
    logRow->addWidget(m_logControls->Image7);
    bar->addWidget(logIndicator);
    bar->addWidget(m_webServer->Indicator);
}
