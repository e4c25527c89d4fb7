#include "outputs/web_image_step.h"

#include "outputs/header_band.h"
#include "outputs/jpeg_codec.h"
#include "outputs/web_serving.h"

void WebImageStep::sampleTaken(const PageLoad &load)
{
    if (!m_settings.web() || m_serving.isSet())
        return;
    QImage image = m_draw(m_settings.imageSize());
    const LineSample &sample = load.sample;
    AddHeader(
        image, HeaderTexts { load.moment, sample.speedUpText, sample.speedDownText, sample.uptimeText });
    const QString folder = m_settings.webFolder();
    // noise.jpg is written again at the next sample, so it is replaced
    // without waiting for the disk; readers still see one whole file.
    if (image.isNull() || !JpegCodec::save(image, folder + QStringLiteral("/noise.jpg"), nullptr, false))
        m_report(FailureText(folder));
}

QString WebImageStep::FailureText(const QString &webFolder)
{
    return QStringLiteral("Web server error: Unable to find folder: ") + webFolder
        + QStringLiteral("\nImage noise.jpg not saved!");
}
