#pragma once

#include "outputs/icon_noise.h"
#include "outputs/output_settings.h"
#include "sampling/sample_pipeline.h"

#include <QImage>
#include <QString>

#include <functional>

// The tray step: after the capture step of every sample the icon shows the
// new noise margin; on Pause it shows "?". The tooltip tells the current
// sample's figures, which every page load refills, sample or not: it goes
// with each icon and is told afresh after every page load.
class TrayStep final : public SampleStep {
public:
    // icon is null when it could not be drawn: the previous one stays.
    using Show = std::function<void(const QImage &icon, const QString &tooltip)>;

    TrayStep(const LineSample &sample, const Settings &settings, Show show)
        : m_sample(sample), m_settings(settings), m_show(std::move(show))
    {
    }

    void sampleTaken(const PageLoad &load) override;
    // Sampling paused.
    void paused();
    // A page load has been handled, whatever the run state: the tooltip
    // takes its figures; the icon stays.
    void pageHandled();

private:
    void IconNoiseStep(IconMode mode);

    const LineSample &m_sample;
    OutputSettings m_settings;
    Show m_show;
};
