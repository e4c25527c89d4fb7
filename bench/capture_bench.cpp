// What a capture costs: all four graphs at the main window's default size
// (850 x 650), whole and split into drawing, header band, encoding and
// writing; encoding one 500 x 300 graph picture at quality 90 with Qt's
// JPEG writer and with the codec of the program (libjpeg-turbo's own API);
// and drawing the tray icon.
#include "base/clock.h"
#include "bench_support.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "outputs/graph_capture.h"
#include "outputs/header_band.h"
#include "outputs/icon_noise.h"
#include "outputs/jpeg_codec.h"
#include "sampling/browser_view.h"
#include "sampling/line_sample.h"
#include "shell/controls/capture_controls.h"
#include "shell/program/desktop_wiring.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/main_window.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

namespace {

// The main window at its default size with a page of samples on every
// graph, capturing into a temporary folder.
struct ShownWindow {
    ShownWindow()
    {
        MonitorContext context;
        context.clock = &clock;
        context.dataFolder = folder.path();
        context.settingsPath = folder.filePath(QStringLiteral("linewarden.ini"));
        context.primaryScreen = QRect(0, 0, 1920, 1080);
        monitor = std::make_unique<LineMonitor>(context, view);
        window = std::make_unique<TForm1>(*monitor, nullptr);
        WireDesktopParts(*window);
        window->resize(850, 650);
        window->show();
        window->PageControl1->setCurrentIndex(1);
        QCoreApplication::processEvents();
        LineSample &sample = monitor->sample();
        for (int i = 0; i < 480; ++i) {
            clock.step();
            sample.noiseMarginUp = 6 + (i % 7) * 0.1;
            sample.noiseMarginDown = 9 + (i % 5) * 0.1;
            sample.speedUp = 448 + i % 3;
            sample.speedDown = 7000 + i % 11;
            sample.user1Up = sample.user1Down = i;
            sample.user2Up = sample.user2Down = i / 2;
            monitor->graphs().setLabelSpacing();
            monitor->graphs().PlotSample(sample, clock.now());
        }
        sample.speedUpText = QStringLiteral("448");
        sample.speedDownText = QStringLiteral("7616");
        sample.uptimeText = QStringLiteral("2 days, 03:04:05");
        QCoreApplication::processEvents();
    }

    std::array<Chart *, 4> charts()
    {
        const GraphPanels &graphs = window->graphs();
        return { graphs.chartOfPage(1), graphs.chartOfPage(2), graphs.chartOfPage(3), graphs.chartOfPage(4) };
    }

    QTemporaryDir folder;
    SteppingClock clock { QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)) };
    QuietBrowserView view;
    std::unique_ptr<LineMonitor> monitor;
    std::unique_ptr<TForm1> window;
};

ShownWindow &Shown()
{
    static ShownWindow shown;
    return shown;
}

void BM_CaptureAllGraphs(benchmark::State &state)
{
    GraphCapture &capture = Shown().window->captureControls().capture();
    for (auto _ : state)
        benchmark::DoNotOptimize(capture.captureAll());
    state.counters["chart_width"] = Shown().window->graphs().chartOfPage(1)->width();
    state.counters["chart_height"] = Shown().window->graphs().chartOfPage(1)->height();
}
BENCHMARK(BM_CaptureAllGraphs)->Unit(benchmark::kMillisecond);

// The four parts of a capture of all graphs, each for the four graphs.
void BM_CapturePart(benchmark::State &state)
{
    ShownWindow &shown = Shown();
    const HeaderTexts texts = shown.window->captureControls().capture().headerTexts();
    std::array<QImage, 4> drawn;
    std::array<QByteArray, 4> encoded;
    for (size_t i = 0; i < 4; ++i) {
        drawn[i] = shown.charts()[i]->renderShown();
        encoded[i] = JpegCodec::encode(drawn[i]);
    }
    const QString path = shown.folder.filePath(QStringLiteral("part.jpg"));
    for (auto _ : state) {
        for (size_t i = 0; i < 4; ++i) {
            switch (state.range(0)) {
            case 0:
                benchmark::DoNotOptimize(shown.charts()[i]->renderShown());
                break;
            case 1: {
                // A fresh copy of the drawn graph, not timed.
                state.PauseTiming();
                QImage picture = drawn[i].copy();
                state.ResumeTiming();
                AddHeader(picture, texts);
                break;
            }
            case 2:
                benchmark::DoNotOptimize(JpegCodec::encode(drawn[i]));
                break;
            default: {
                QSaveFile file(path);
                file.open(QIODevice::WriteOnly);
                file.write(encoded[i]);
                file.commit();
            }
            }
        }
    }
    static const char *const parts[] = { "draw", "header", "encode", "write" };
    state.SetLabel(parts[state.range(0)]);
}
BENCHMARK(BM_CapturePart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

QImage GraphPicture()
{
    return Shown().window->graphs().chartOfPage(1)->renderImage(QSize(500, 300));
}

// Qt's JPEG image writer, baseline at quality 90, from 24-bit rows.
QByteArray EncodeWithQtWriter(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(JpegCodec::Quality);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    writer.write(image.convertToFormat(QImage::Format_RGB888));
    return bytes;
}

void BM_EncodeQtWriter(benchmark::State &state)
{
    const QImage picture = GraphPicture();
    qint64 size = 0;
    for (auto _ : state)
        size = EncodeWithQtWriter(picture).size();
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EncodeQtWriter)->Unit(benchmark::kMicrosecond);

void BM_EncodeLibjpegTurbo(benchmark::State &state)
{
    const QImage picture = GraphPicture();
    qint64 size = 0;
    for (auto _ : state)
        size = JpegCodec::encode(picture).size();
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EncodeLibjpegTurbo)->Unit(benchmark::kMicrosecond);

void BM_IconNoiseRun(benchmark::State &state)
{
    const QLocale locale = QLocale::system();
    double margin = 6.2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(IconNoise(IconMode::Run, margin, 7616, locale));
        margin = margin > 20 ? -1.5 : margin + 0.7;
    }
}
BENCHMARK(BM_IconNoiseRun)->Unit(benchmark::kMicrosecond);

} // namespace
