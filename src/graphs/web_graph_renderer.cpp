#include "graphs/web_graph_renderer.h"

#include "base/web_image_size.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"

WebGraphRenderer::WebGraphRenderer(const GraphModel &model) : m_chart(std::make_unique<Chart>(model.graph(5)))
{
    m_chart->resize(kWebImageFallbackSize);
}

WebGraphRenderer::~WebGraphRenderer() = default;

// The chart takes the picture's size first, so its axes lay out for it.
QImage WebGraphRenderer::draw(const QSize &size)
{
    m_chart->resize(size);
    return m_chart->renderImage(size);
}
