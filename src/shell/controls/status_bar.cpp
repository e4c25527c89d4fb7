#include "shell/controls/status_bar.h"

#include "outputs/graph_capture.h"
#include "outputs/output_settings.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/size_texts.h"
#include "shell/controls/status_step.h"
#include "shell/controls/steady_label.h"

#include <QFont>
#include <QLabel>
#include <QStatusBar>

StatusBar::StatusBar(
    QStatusBar &bar, const SampleCycle &cycle, const GraphCapture &capture, const Settings &settings)
    : QObject(&bar), m_bar(bar), m_settings(settings)
{
    // The last panel reaches to the right edge.
    bar.setFont(QFont(QStringLiteral("Arial")));
    StatusPanel0 = new QLabel(&bar);
    StatusPanel0->setFixedWidth(250);
    // The log panel's text changes with every sample; a panel of fixed size
    // takes it without laying out the window again.
    StatusPanel1 = new QLabel(&bar);
    MakeSteady(*StatusPanel1, 300);
    StatusPanel2 = new QLabel(&bar);
    StatusPanel2->setMinimumWidth(50);
    bar.addWidget(StatusPanel0);
    bar.addWidget(StatusPanel1);
    bar.addWidget(StatusPanel2, 1);
    connect(&cycle, &SampleCycle::startTimeChanged, StatusPanel0, &QLabel::setText);
    connect(&capture, &GraphCapture::allGraphsCaptured, this, &StatusBar::showCaptureFolder);
}

void StatusBar::showTexts(const StatusTexts &texts)
{
    StatusPanel1->setText(texts.log);
    StatusPanel2->setText(texts.captureFolder);
}

void StatusBar::showProblem(const QString &text)
{
    constexpr int kShownMs = 30000;
    m_bar.showMessage(text, kShownMs);
}

// After "Capture All Graphs" the folder has grown before the next sample.
void StatusBar::showCaptureFolder()
{
    const OutputSettings outputs(m_settings);
    StatusPanel2->setText(CapturePanelText(outputs.captureFolder(), outputs.locale()));
}
