#pragma once

#include <QSize>
#include <QString>
#include <QStringView>

// The largest side of the web image, in pixels. The picture is drawn and
// encoded on the window's thread at every sample (10 s apart at the least);
// 4096 covers the width of a 4K screen at one pixel per pixel, while the
// largest picture (4096 by 4096, 64 MiB of 32-bit pixels) is still made in
// well under a second.
constexpr int kWebImageSideMax = 4096;

// The web image's size where its boxes say nothing usable.
constexpr QSize kWebImageFallbackSize(500, 300);

// The web image's size from the texts of its width and height boxes: the
// side of kWebImageFallbackSize where a box does not hold a number above
// zero; a side above kWebImageSideMax is held at it.
QSize WebImageSize(QStringView widthText, QStringView heightText);

// The text of a size box held within the bound: a number above
// kWebImageSideMax becomes the bound; any other text stays as it is.
QString HeldWebImageSide(const QString &text);
