#pragma once

#include "outputs/header_band.h"
#include "outputs/output_settings.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <functional>

class Chart;
class Clock;
class GraphCharts;
class GraphModel;
struct LineSample;

// Saves pictures of the graphs as JPEG files in the capture folder: all
// graphs at once, or the graph of the selected tab. Each picture is the
// graph at its on-screen size with the header band of the moment, written
// under a name of the prefix, the graph and a time stamp of its own. The
// on-screen size is the graph's own unless the window tells it the size of
// its graph pages: a graph on a page that is not showing keeps whatever
// size it last had, or a widget's default if it never showed.
// Failures are silent; the caller learns of them from the result only.
class GraphCapture final : public QObject {
    Q_OBJECT

public:
    GraphCapture(const GraphCharts &charts, const GraphModel &model, const LineSample &sample,
        const Clock &clock, const Settings &settings, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(GraphCapture)

    // The folder named by the Capture setting exists.
    bool folderExists() const;

    // Noise Margin, Connection Speed, then each user-defined graph not set
    // to "[none]". Nothing when the folder is missing; the first failure
    // ends it. True when every picture was written.
    bool captureAll();

    // The graph of the selected tab under that tab's caption; nothing for a
    // "[none]" graph. True when the picture was written.
    bool captureVisible(int pageIndex, const QString &caption);

    // The graph a tab shows: Connection Speed, User Defined 1 and 2 on their
    // tabs, Noise Margin on any other.
    Chart &visibleChart(int pageIndex) const;

    // The size of the window's graph pages as they are now; every graph is
    // drawn at it.
    using PageSize = std::function<QSize()>;
    void setPageSize(PageSize pageSize) { m_pageSize = std::move(pageSize); }
    // The graph drawn at its on-screen size on a white background.
    QImage drawGraph(Chart &chart) const;

    // What the header band shows now: the day and the latest sample's
    // rates and uptime.
    HeaderTexts headerTexts() const;

    // Paints the header band of this moment onto a drawn graph and writes it
    // to path; false with the reason in error.
    bool savePicture(QImage picture, const QString &path, QString *error = nullptr) const;

signals:
    // A capture of all graphs ran in an existing folder.
    void allGraphsCaptured();

private:
    bool saveGraph(Chart &chart, const QString &graphName) const;

    const GraphCharts &m_charts;
    const GraphModel &m_model;
    const LineSample &m_sample;
    const Clock &m_clock;
    OutputSettings m_settings;
    PageSize m_pageSize;
};
