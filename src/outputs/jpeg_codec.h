#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The program's one JPEG codec: every picture it writes is a baseline JPEG
// in 24-bit colour at quality 90, and every JPEG it shows is read here.
class JpegCodec {
public:
    static constexpr int Quality = 90;
    // The most pixels a picture may have to be decoded: 256 MiB of 32-bit
    // pixels, far beyond any graph or page picture.
    static constexpr qint64 MaxDecodedPixels = 64 * 1024 * 1024;

    // The picture as JPEG bytes; empty when it cannot be encoded.
    static QByteArray encode(const QImage &image);
    // The picture in JPEG bytes; a null image when they do not decode or
    // claim more than MaxDecodedPixels.
    static QImage decode(const QByteArray &bytes);

    // Encodes the picture and writes it to path through a temporary file in
    // the same folder renamed over the final name, so a reader never sees
    // half a file and a failure leaves an earlier file whole. False with the
    // reason in error (when given) on failure. A picture that is written
    // again at the next sample anyway need not wait for the disk
    // (syncToDisk false); readers still see the old or the new file whole.
    static bool save(
        const QImage &image, const QString &path, QString *error = nullptr, bool syncToDisk = true);
};
