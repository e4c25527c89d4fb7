#pragma once

#include <QString>

// What the sample cycle asks of the main window when the run state changes.
class SampleCycleHost {
public:
    virtual ~SampleCycleHost() = default;

    // Hides the navigation hint (Panel9).
    virtual void hideNavigationHint() = 0;
    // Status bar panel 0.
    virtual void showStartTime(const QString &text) = 0;
    // The daily maintenance check that every Start runs.
    virtual void runMaintenanceCheck() = 0;
    // Clears the lost-sync capture flag and shows the capture icons that
    // apply: on Start both icons, on Pause only the per-page one.
    virtual void resetCaptureState(bool starting) = 0;
    // The router type and password may change only while not sampling.
    virtual void setRouterControlsEnabled(bool enabled) = 0;
    // The tray icon shows that sampling stopped.
    virtual void showTrayStopped() = 0;
    // Title, captions, glyphs and latched looks to be shown again.
    virtual void runStateChanged() = 0;
};
