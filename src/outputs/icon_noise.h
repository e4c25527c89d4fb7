#pragma once

#include <QImage>
#include <QLocale>
#include <QString>

// What the icon says: the noise margin while sampling, "?" once paused.
enum class IconMode { Run, Stop };

// The 16 by 16 icon of the tray and of the program: the "iconbitmap"
// background with the downstream noise margin in bold digits (yellow while
// the line has a sync speed, fuchsia at 0 Kbps), or "?" when stopped; the
// bottom row, in the background's key colour, is transparent. Fonts are
// sized at 96 pixels per inch, so the icon is the same on every screen.
// A null image when it cannot be drawn: the previous icon then stays.
QImage IconNoise(IconMode mode, double noiseMarginDown, double speedDown, const QLocale &locale);

// The noise margin as the icon writes it: three significant digits, no
// trailing zeros, the locale's decimal separator.
QString IconNoiseText(double noiseMarginDown, const QLocale &locale);
