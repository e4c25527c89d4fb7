#include "base/web_image_size.h"

#include "base/int_parsing.h"

#include <algorithm>

namespace {

int Side(QStringView text, int fallback)
{
    const int side = StrToIntDef(text, fallback);
    return side > 0 ? std::min(side, kWebImageSideMax) : fallback;
}

} // namespace

QSize WebImageSize(QStringView widthText, QStringView heightText)
{
    return QSize(
        Side(widthText, kWebImageFallbackSize.width()), Side(heightText, kWebImageFallbackSize.height()));
}

QString HeldWebImageSide(const QString &text)
{
    return StrToIntDef(text, 0) > kWebImageSideMax ? QString::number(kWebImageSideMax) : text;
}
