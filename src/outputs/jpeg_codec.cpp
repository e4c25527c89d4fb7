#include "outputs/jpeg_codec.h"

#include <QSaveFile>
#include <QTemporaryFile>
#include <QtEndian>

#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

// The codec works on libjpeg-turbo's own API: it takes Qt's 32-bit pixels
// as they lie in memory (no conversion to 24-bit rows first) and writes
// them straight into one memory buffer, which measures faster than Qt's
// JPEG writer on the same library.
//
// libjpeg reports a fatal error through error_exit, which must not return;
// ours jumps back to the setjmp of the call that failed. Only plain data
// lives in the frames a jump crosses, so no destructor is ever skipped.

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE Rgb32Layout = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE Rgb32Layout = JCS_EXT_XRGB;
#endif

struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a damaged but readable file) are not printed on the terminal.
void NoOutput(j_common_ptr) { }

void InstallErrors(jpeg_error_mgr *&slot, ErrorManager &errors)
{
    slot = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = ErrorExit;
    errors.manager.output_message = NoOutput;
    errors.message[0] = '\0';
}

// Everything one encoding keeps between libjpeg's calls.
struct Encoding {
    jpeg_compress_struct info;
    ErrorManager errors;
    unsigned char *buffer = nullptr; // malloc'ed by libjpeg, freed by the caller
    unsigned long size = 0;
    bool created = false;
};

bool EncodeRows(
    Encoding &encoding, const uchar *pixels, qsizetype bytesPerLine, int width, int height, int dotsPerInch)
{
    jpeg_compress_struct &info = encoding.info;
    InstallErrors(info.err, encoding.errors);
    if (setjmp(encoding.errors.jump)) {
        if (encoding.created)
            jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    encoding.created = true;
    jpeg_mem_dest(&info, &encoding.buffer, &encoding.size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = Rgb32Layout;
    jpeg_set_defaults(&info);
    // Baseline: sequential, standard Huffman tables, 8-bit quantisation.
    jpeg_set_quality(&info, JpegCodec::Quality, TRUE);
    if (dotsPerInch > 0 && dotsPerInch <= std::numeric_limits<UINT16>::max()) {
        info.density_unit = 1;
        info.X_density = static_cast<UINT16>(dotsPerInch);
        info.Y_density = static_cast<UINT16>(dotsPerInch);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto *row = const_cast<JSAMPROW>(pixels + bytesPerLine * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// Everything one decoding keeps between libjpeg's calls.
struct Decoding {
    jpeg_decompress_struct info;
    ErrorManager errors;
    bool created = false;
};

// Reads the header; the picture's size on success.
bool ReadHeader(Decoding &decoding, const QByteArray &bytes, int &width, int &height)
{
    jpeg_decompress_struct &info = decoding.info;
    InstallErrors(info.err, decoding.errors);
    if (setjmp(decoding.errors.jump))
        return false;
    jpeg_create_decompress(&info);
    decoding.created = true;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
        static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    // Four-channel (CMYK) pictures are not ours and are not shown.
    if (info.num_components != 1 && info.num_components != 3)
        return false;
    info.out_color_space = Rgb32Layout;
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    return true;
}

bool DecodeRows(Decoding &decoding, uchar *pixels, qsizetype bytesPerLine)
{
    jpeg_decompress_struct &info = decoding.info;
    if (setjmp(decoding.errors.jump))
        return false;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + bytesPerLine * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QByteArray JpegCodec::encode(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32, Qt::ColorOnly);
    if (pixels.isNull())
        return {};
    const int dotsPerInch = static_cast<int>(std::lround(pixels.dotsPerMeterX() * 0.0254));
    Encoding encoding;
    const bool done = EncodeRows(
        encoding, pixels.constBits(), pixels.bytesPerLine(), pixels.width(), pixels.height(), dotsPerInch);
    QByteArray bytes;
    if (done && encoding.buffer)
        bytes = QByteArray(
            reinterpret_cast<const char *>(encoding.buffer), static_cast<qsizetype>(encoding.size));
    std::free(encoding.buffer);
    return bytes;
}

QImage JpegCodec::decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    Decoding decoding;
    int width = 0;
    int height = 0;
    QImage image;
    // A header may claim any size, up to 65535 by 65535 from a few bytes of
    // file: a picture beyond the limit is refused before anything is
    // allocated for it.
    if (ReadHeader(decoding, bytes, width, height)
        && static_cast<qint64>(width) * height <= MaxDecodedPixels) {
        image = QImage(width, height, QImage::Format_RGB32);
        if (!image.isNull() && !DecodeRows(decoding, image.bits(), image.bytesPerLine()))
            image = QImage();
    }
    if (decoding.created)
        jpeg_destroy_decompress(&decoding.info);
    return image;
}

namespace {

// A temporary file beside path renamed over it, without waiting for the disk.
bool WriteReplacing(const QString &path, const QByteArray &bytes, QString *error)
{
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()) {
        if (error)
            *error = temp.errorString();
        return false;
    }
    temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

} // namespace

bool JpegCodec::save(const QImage &image, const QString &path, QString *error, bool syncToDisk)
{
    const QByteArray bytes = encode(image);
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("The picture could not be encoded.");
        return false;
    }
    if (!syncToDisk)
        return WriteReplacing(path, bytes, error);
    // The flush comes first: commit() alone ignores a buffered write that
    // failed (a full disk) and would rename an empty file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
