#pragma once

#include "outputs/web_settings.h"
#include "sampling/sample_pipeline.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class WebServing;

// The web image step: while the web server is switched on (cbWeb, whether or
// not it listens) and no file request is being answered, draws the web graph
// at the web image size on white, paints the header band on it and writes
// it as noise.jpg in the web folder, through a temporary name and a rename,
// so a request never gets half a picture. A failure is reported every
// sample while it lasts.
class WebImageStep final : public SampleStep {
public:
    using DrawGraph = std::function<QImage(const QSize &size)>;
    using Report = std::function<void(const QString &message)>;

    WebImageStep(const Settings &settings, const WebServing &serving, DrawGraph draw, Report report)
        : m_settings(settings), m_serving(serving), m_draw(std::move(draw)), m_report(std::move(report))
    {
    }

    void sampleTaken(const PageLoad &load) override;

    // "Web server error: Unable to find folder: " + folder, a line break,
    // "Image noise.jpg not saved!".
    static QString FailureText(const QString &webFolder);

private:
    WebSettings m_settings;
    const WebServing &m_serving;
    DrawGraph m_draw;
    Report m_report;
};
