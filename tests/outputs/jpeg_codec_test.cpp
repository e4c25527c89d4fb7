#include "outputs/jpeg_codec.h"

#include "outputs/header_band.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A graph-like picture: white, a blue and a maroon band.
QImage Picture(int width = 120, int height = 80)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(10, 10, 40, 20, QColor(0, 0, 255));
    painter.fillRect(60, 40, 40, 20, QColor(128, 0, 0));
    return image;
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 12 && std::abs(qGreen(a) - qGreen(b)) <= 12
        && std::abs(qBlue(a) - qBlue(b)) <= 12;
}

TEST(JpegCodec, EncodesBaselineColourThatDecodesBack)
{
    const QImage picture = Picture();
    const QByteArray bytes = JpegCodec::encode(picture);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8"));
    // Baseline sequential: a SOF0 frame with three 8-bit components.
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    ASSERT_GE(frame, 0);
    EXPECT_EQ(static_cast<int>(bytes.at(frame + 4)), 8);
    EXPECT_EQ(static_cast<int>(bytes.at(frame + 9)), 3);
    EXPECT_EQ(bytes.indexOf("\xFF\xC2"), -1);

    const QImage back = JpegCodec::decode(bytes);
    ASSERT_EQ(back.size(), picture.size());
    for (const QPoint at : { QPoint(2, 2), QPoint(30, 20), QPoint(80, 50) })
        EXPECT_TRUE(Near(back.pixel(at), picture.pixel(at))) << at.x() << "," << at.y();
}

TEST(JpegCodec, RefusesWhatIsNotAPictureWithoutFailingTheProgram)
{
    const QByteArray bytes = JpegCodec::encode(Picture());
    EXPECT_TRUE(JpegCodec::decode(QByteArray()).isNull());
    EXPECT_TRUE(JpegCodec::decode(QByteArrayLiteral("not a jpeg at all")).isNull());
    EXPECT_TRUE(JpegCodec::decode(bytes.left(20)).isNull());
    EXPECT_TRUE(JpegCodec::encode(QImage()).isEmpty());
}

TEST(JpegCodec, RefusesAHeaderClaimingAHugePictureWithoutAllocatingIt)
{
    // A small file whose frame header claims 60000 by 60000 pixels.
    QByteArray bytes = JpegCodec::encode(Picture());
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    ASSERT_GE(frame, 0);
    bytes.replace(frame + 5, 4, QByteArrayLiteral("\xEA\x60\xEA\x60"));
    EXPECT_TRUE(JpegCodec::decode(bytes).isNull());
}

TEST(JpegCodec, SaveReplacesTheFileWholeAndAFailureLeavesTheOldOne)
{
    TempDataDir dir;
    const QString path = dir.filePath(QStringLiteral("noise.jpg"));
    ASSERT_TRUE(JpegCodec::save(Picture(), path));
    ASSERT_TRUE(JpegCodec::save(Picture(200, 100), path));
    EXPECT_EQ(JpegCodec::decode(dir.readFile(QStringLiteral("noise.jpg"))).width(), 200);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("noise.jpg") });

    const QByteArray second = dir.readFile(QStringLiteral("noise.jpg"));
    QString error;
    EXPECT_FALSE(JpegCodec::save(QImage(), path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(dir.readFile(QStringLiteral("noise.jpg")), second);
    EXPECT_FALSE(JpegCodec::save(Picture(), dir.filePath(QStringLiteral("missing/noise.jpg")), &error));
    EXPECT_FALSE(error.isEmpty());
}

// A red picture with the band's texts drawn as the header band is to show
// them: top-left corners at (20, 1) and (450, 1), Arial 8 point at 96 pixels
// per inch (its metric twin where Arial is missing), black, no background.
QImage ExpectedBand(int width, const QString &rates, const QString &uptime)
{
    QImage image(width, 60, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QFont font;
    font.setFamilies({ QStringLiteral("Arial"), QStringLiteral("Liberation Sans") });
    font.setPointSize(8);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(20, 1, width, 40), Qt::AlignLeft | Qt::AlignTop, rates);
    if (!uptime.isNull())
        painter.drawText(QRect(450, 1, width, 40), Qt::AlignLeft | Qt::AlignTop, uptime);
    return image;
}

TEST(HeaderBand, DrawsTheDateRatesAndUptimeTextsOnlyTheUptimeNeedsAWidePicture)
{
    const QDateTime friday(QDate(2024, 1, 5), QTime(14, 30));
    const struct {
        int width;
        QString up, down, uptime;
        QString rates; // as the band is to read, blanks counted
        QString uptimeText; // null: not drawn
    } cases[] = {
        { 850, QStringLiteral("448"), QStringLiteral("7,616"), QStringLiteral("2 days, 03:04:05"),
            QStringLiteral(
                "Fri 05 Jan.               Upstream Rate: 448 Kbps.   Downstream Rate: 7,616 Kbps."),
            QStringLiteral("Uptime: 2 days, 03:04:05") },
        { 601, QString(), QString(), QString(),
            QStringLiteral("Fri 05 Jan.               Upstream Rate:  Kbps.   Downstream Rate:  Kbps."),
            QStringLiteral("Uptime: ") },
        { 600, QStringLiteral("1250"), QStringLiteral("24000"), QStringLiteral("0 days, 00:00:09"),
            QStringLiteral(
                "Fri 05 Jan.               Upstream Rate: 1250 Kbps.   Downstream Rate: 24000 Kbps."),
            QString() },
    };
    for (const auto &c : cases) {
        QImage image(c.width, 60, QImage::Format_RGB32);
        image.fill(Qt::red);
        AddHeader(image, HeaderTexts { friday, c.up, c.down, c.uptime });
        EXPECT_TRUE(image == ExpectedBand(c.width, c.rates, c.uptimeText)) << c.width;
    }
}

} // namespace
