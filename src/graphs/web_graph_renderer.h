#pragma once

#include <QImage>
#include <QSize>

#include <memory>

class Chart;
class GraphModel;

// Draws the web graph of a graph model into pictures at the web image's
// size. Its chart is never shown.
class WebGraphRenderer final {
public:
    explicit WebGraphRenderer(const GraphModel &model);
    ~WebGraphRenderer();
    WebGraphRenderer(const WebGraphRenderer &) = delete;
    WebGraphRenderer &operator=(const WebGraphRenderer &) = delete;

    // The web graph drawn at the size given, on white.
    QImage draw(const QSize &size);

private:
    std::unique_ptr<Chart> m_chart;
};
