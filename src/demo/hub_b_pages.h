#pragma once

#include "demo/line_figures.h"

#include <QString>

// The pages of the simulated Type B router. Figures on the statistics page
// stand right after the script expression that fills them in on the real
// router, kept as a comment: "<!--DslInfo.NoiseMargin)-->6.1 / 5.9 dB".

QString HubBHomePage(const LineFigures &figures);
QString HubBLoginPage(bool failed);
QString HubBSettingsPage();
QString HubBStatisticsPage(const LineFigures &figures);

// A speed as the router writes it, with a thousands comma: "15,872".
QString HubBSpeed(int kbps);

// The router's uptime text: "0 day, 00:00:10", "1 day, ...", "2 days, ...".
QString HubBDuration(qint64 seconds);
