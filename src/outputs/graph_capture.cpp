#include "outputs/graph_capture.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "graphs/chart.h"
#include "graphs/graph_charts.h"
#include "graphs/graph_model.h"
#include "outputs/capture_file_name.h"
#include "outputs/jpeg_codec.h"
#include "sampling/line_sample.h"

#include <QFileInfo>

namespace {

const QString NoneCaption = QStringLiteral("[none]");

} // namespace

GraphCapture::GraphCapture(const GraphCharts &charts, const GraphModel &model, const LineSample &sample,
    const Clock &clock, const Settings &settings, QObject *parent)
    : QObject(parent), m_charts(charts), m_model(model), m_sample(sample), m_clock(clock),
      m_settings(settings)
{
}

bool GraphCapture::folderExists() const
{
    return QFileInfo(m_settings.captureFolder()).isDir();
}

bool GraphCapture::captureAll()
{
    if (!folderExists())
        return false;
    bool written = saveGraph(m_charts.chart(1), QStringLiteral("NoiseMargin"))
        && saveGraph(m_charts.chart(2), QStringLiteral("ConnectionSpeed"));
    if (written && !m_model.userGraphIsNone(1))
        written = saveGraph(m_charts.chart(3), m_model.userCaption(1));
    if (written && !m_model.userGraphIsNone(2))
        written = saveGraph(m_charts.chart(4), m_model.userCaption(2));
    emit allGraphsCaptured();
    return written;
}

bool GraphCapture::captureVisible(int pageIndex, const QString &caption)
{
    if (caption == NoneCaption)
        return false;
    return saveGraph(visibleChart(pageIndex), caption);
}

Chart &GraphCapture::visibleChart(int pageIndex) const
{
    Chart *chart = m_charts.chartOfPage(pageIndex);
    return chart ? *chart : m_charts.chart(1);
}

QImage GraphCapture::drawGraph(Chart &chart) const
{
    if (!m_pageSize)
        return chart.renderShown();
    const QSize size = m_pageSize();
    return size.isEmpty() ? chart.renderShown() : chart.renderImage(size);
}

HeaderTexts GraphCapture::headerTexts() const
{
    return { m_clock.now(), m_sample.speedUpText, m_sample.speedDownText, m_sample.uptimeText };
}

bool GraphCapture::savePicture(QImage picture, const QString &path, QString *error) const
{
    AddHeader(picture, headerTexts());
    return JpegCodec::save(picture, path, error);
}

// Each file takes the stamp of its own moment.
bool GraphCapture::saveGraph(Chart &chart, const QString &graphName) const
{
    const QString stamp = FormatDateTime(m_settings.imageDateFormat(), m_clock.now(), m_settings.locale());
    const QString path = CapturePath(
        m_settings.captureFolder(), CaptureFileName(m_settings.imagePrefix(), graphName, stamp));
    if (path.isEmpty())
        return false;
    return savePicture(drawGraph(chart), path);
}
