#pragma once

#include "outputs/icon_noise.h"
#include "outputs/output_settings.h"
#include "sampling/sample_pipeline.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

// The tray step: after the capture step of every sample the icon shows the
// new noise margin; on Pause it shows "?". The tooltip tells the current
// sample's figures, which every page load refills, sample or not: it goes
// with each icon and is told afresh after every page load.
class TrayStep final : public SampleStep {
public:
    // icon is null when it could not be drawn: the previous one stays.
    using Show = std::function<void(const QImage &icon, const QString &tooltip)>;

    TrayStep(const Settings &settings, Show show) : m_settings(settings), m_show(std::move(show)) { }

    void sampleTaken(const PageLoad &load) override;
    void runStateChanged(RunState state) override;
    // A page load has been handled, whatever the run state and whether or
    // not it reached the pipeline (a login page does not): the tooltip
    // takes the figures of sample as the load left it; the icon stays.
    void pageHandled(const LineSample &sample);

private:
    void takeFigures(const LineSample &sample);
    void IconNoiseStep(IconMode mode);

    OutputSettings m_settings;
    Show m_show;
    // The current sample's figures, as the last page load left them; the
    // "?" of a Pause is drawn in the colour of this sync speed.
    double m_noiseMarginDown = 0;
    double m_speedDown = 0;

    // What the icon shown says and in which colour: the same again draws
    // the same picture, so the icon stays and nothing is drawn. A margin
    // that moves only beyond the digits written, or a sync speed that
    // changes but stays above 0, leaves it as it is.
    struct Drawn {
        QString text;
        bool synced = false;
        bool operator==(const Drawn &other) const { return text == other.text && synced == other.synced; }
        bool operator!=(const Drawn &other) const { return !(*this == other); }
    };
    std::optional<Drawn> m_drawn;
};
