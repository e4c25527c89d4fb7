// Any bytes as a ".jpg" file, as the image viewer reads one from the capture
// folder: decoding never crashes and gives a null picture or one within the
// pixel limit, and a picture it decoded encodes and decodes again at the
// same size.
#include "outputs/jpeg_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage picture
        = JpegCodec::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (picture.isNull())
        return 0;
    if (qint64(picture.width()) * picture.height() > JpegCodec::MaxDecodedPixels)
        std::abort();
    // Encoding a large picture takes long; the small ones show the same.
    if (qint64(picture.width()) * picture.height() > 1024 * 1024)
        return 0;
    const QImage again = JpegCodec::decode(JpegCodec::encode(picture));
    if (again.size() != picture.size())
        std::abort();
    return 0;
}
