#pragma once

#include "sampling/line_sample.h"
#include "sampling/reader_options.h"

#include <QString>

// The router settings navigation reads, as the window's controls hold them.
struct RouterAccess {
    int type = -1; // 0 Type A, 1 Type B, -1 none chosen
    QString address; // host part of every router URL
    QString password; // plain text while the program runs
    bool attemptLogin = false; // the option is checked and enabled
    QString hhaUrl; // Type A statistics path (learned)
    QString hhbUrl; // Type B statistics path (configured)
};

// What the page-loaded handler, the initial navigation and the navigation
// guard ask of the main window. The pipeline steps are called in the order
// the sample goes through them.
class RouterNavigationHost {
public:
    virtual ~RouterNavigationHost() = default;

    virtual RouterAccess routerAccess() const = 0;
    virtual ReaderOptions readerOptions() const = 0;
    virtual QString logDateFormat() const = 0;
    // HHAUrl (type 0) or HHBUrl (type 1) becomes path.
    virtual void setStatisticsPath(int type, const QString &path) = 0;

    virtual void hideConnectingNotice() = 0; // Panel4
    virtual void showHomeHubTab() = 0; // tab 0 to the front
    virtual void showReadouts(const Readouts &readouts) = 0;
    virtual void restoreCursor() = 0;
    virtual void setTrailVisible(bool visible) = 0; // Panel10
    virtual void enableRunButton() = 0;
    virtual void showStatisticsUrl(const QString &text) = 0; // Label2
    // Shows the hint next to the mouse pointer, or hides it.
    virtual void showNavigationHint(bool show) = 0; // Panel9

    // The per-sample pipeline.
    // Sets the graphs' label spacing on every page load; adds the points
    // only when addPoints (sampling runs and this load was read as a sample).
    virtual void PlotSample(bool addPoints) = 0;
    virtual void CaptureSample() = 0;
    virtual void TraySample() = 0;
    virtual void WebImageSample() = 0;
    virtual void LogSample() = 0;
    virtual void StatusSample() = 0;
};
