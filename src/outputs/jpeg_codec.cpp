#include "outputs/jpeg_codec.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

QByteArray JpegCodec::encode(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(Quality);
    writer.setOptimizedWrite(false);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        return {};
    return bytes;
}

QImage JpegCodec::decode(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    return reader.read();
}

bool JpegCodec::save(const QImage &image, const QString &path, QString *error)
{
    const QByteArray bytes = encode(image);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("The picture could not be encoded.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
