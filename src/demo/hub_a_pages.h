#pragma once

#include "demo/line_figures.h"

#include <QString>

// The pages of the simulated Type A router. Every page opens with the same
// four header links (Home, Settings, Troubleshooting, Help: links 0 to 3).

// A page address as the router writes it, e.g. "/index.cgi?active%5fpage=9100".
QString HubAPageUrl(int page);

QString HubAHomePage(const LineFigures &figures);

// The login page: a menu (links 4 to 6), the password field written by a
// script as "name=password_NNNN" inside the first form, "Forgotten your
// password?" (link 7) and "OK" (link 8), which submits the first form.
// failed adds the notice that the password was incorrect.
QString HubALoginPage(const QString &fieldName, bool failed);

QString HubAPasswordHintPage();
QString HubASettingsPage();
QString HubAAdvancedWarningPage();
QString HubAAdvancedPage();
QString HubABroadbandPage(const QString &statisticsPath);
QString HubAStatisticsPage(const LineFigures &figures, const QString &statisticsPath);
QString HubAPlainPage(const QString &title, const QString &text);

// Clock text of a number of seconds, "1 days, 02:00:00".
QString HubADuration(qint64 seconds);
