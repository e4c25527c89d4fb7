#pragma once

#include <QSize>

#include <array>

class Chart;
class GraphModel;
class QWidget;

// The four visible graphs of a graph model drawn as charts: what the window
// places on its graph pages and what captures draw, with or without a
// window. The charts are children of the owner given.
class GraphCharts final {
public:
    GraphCharts(const GraphModel &model, QWidget *owner);

    // Graph 1 to 4: Noise Margin, Connection Speed, User Defined 1 and 2.
    Chart &chart(int number) const;
    // The graph of a tab page (1 to 4), or null on other pages.
    Chart *chartOfPage(int pageIndex) const;
    // Every chart at one size: the room a window leaves its graphs.
    void resize(const QSize &size) const;

private:
    std::array<Chart *, 4> m_charts {}; // children of the owner
};
