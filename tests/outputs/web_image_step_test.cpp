#include "base/settings.h"
#include "outputs/jpeg_codec.h"
#include "outputs/web_image_step.h"
#include "outputs/web_serving.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The step over a web folder, drawing a plain white graph at the size asked.
class WebImageStepTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(data.filePath(QStringLiteral("WebServer"))));
        settings.setText(SettingKey::WebFolder, data.filePath(QStringLiteral("WebServer")));
        settings.setFlag(SettingKey::Web, true);
        sample.pageRead = true;
        sample.speedUpText = QStringLiteral("1250");
    }

    void sampleTaken()
    {
        step.sampleTaken(PageLoad { sample, QDateTime(QDate(2026, 1, 2), QTime(3, 4)), true, true });
    }
    QImage written() const { return JpegCodec::decode(data.readFile(QStringLiteral("WebServer/noise.jpg"))); }

    TempDataDir data;
    Settings settings { SettingsContext() };
    LineSample sample;
    WebServing serving;
    QList<QSize> drawn;
    QStringList reports;
    WebImageStep step { settings, serving,
        [this](const QSize &size) {
            drawn.append(size);
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            return image;
        },
        [this](const QString &message) { reports.append(message); } };
};

TEST_F(WebImageStepTest, WritesNoiseJpgAtTheWebImageSize)
{
    const struct {
        const char *width;
        const char *height;
        QSize size;
    } cases[] = {
        { "640", "200", QSize(640, 200) },
        { "", "", QSize(500, 300) },
        { "wide", "0", QSize(500, 300) },
        // A hand-edited file cannot ask for a picture of gigabytes.
        { "20000", "4097", QSize(4096, 4096) },
        { "4096", "$7FFFFFFF", QSize(4096, 4096) },
    };
    for (const auto &c : cases) {
        settings.setText(SettingKey::webWidth, QString::fromLatin1(c.width));
        settings.setText(SettingKey::webHeight, QString::fromLatin1(c.height));
        sampleTaken();
        EXPECT_EQ(drawn.value(drawn.size() - 1), c.size) << c.width;
        EXPECT_EQ(written().size(), c.size) << c.width;
    }
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_TRUE(QDir(data.filePath(QStringLiteral("WebServer"))).entryList(QDir::Files)
        == QStringList { QStringLiteral("noise.jpg") });
}

TEST_F(WebImageStepTest, SkipsWhileOffOrServing)
{
    settings.setFlag(SettingKey::Web, false);
    sampleTaken();
    settings.setFlag(SettingKey::Web, true);
    serving.set();
    sampleTaken();
    EXPECT_TRUE(drawn.isEmpty());
    EXPECT_FALSE(QFile::exists(data.filePath(QStringLiteral("WebServer/noise.jpg"))));
    serving.clear();
    sampleTaken();
    EXPECT_EQ(drawn.size(), 1);
}

TEST_F(WebImageStepTest, AMissingFolderIsReportedAtEverySample)
{
    const QString folder = data.filePath(QStringLiteral("Gone"));
    settings.setText(SettingKey::WebFolder, folder);
    sampleTaken();
    sampleTaken();
    const QString text = QStringLiteral("Web server error: Unable to find folder: ") + folder
        + QStringLiteral("\nImage noise.jpg not saved!");
    EXPECT_EQ(reports, (QStringList { text, text }));
}

} // namespace
