#pragma once

#include <QLocale>
#include <QString>

// The tray icon's tooltip: the program's name, the downstream noise margin
// and sync speed on three lines, the numbers with up to 15 significant
// digits ("Noise margin: 6.2 dB", "Sync speed: 7616 Kbps").
QString TrayTooltip(double noiseMarginDown, double speedDown, const QLocale &locale);
