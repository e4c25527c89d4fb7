#include "demo/hub_a_pages.h"

namespace {

QString Frame(const QString &title, const QString &content, const QString &head = QString())
{
    static const QString header
        = QStringLiteral("<div id=\"header\"><h1>Home Hub Manager</h1>\n"
                         "<ul class=\"nav\"><li><a href=\"/index.cgi?active%5fpage=9098\">Home</a></li>"
                         "<li><a href=\"/index.cgi?active%5fpage=9100\">Settings</a></li>"
                         "<li><a href=\"/index.cgi?active%5fpage=9102\">Troubleshooting</a></li>"
                         "<li><a href=\"/index.cgi?active%5fpage=9104\">Help</a></li></ul></div>\n");
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                          "<title>Home Hub Manager - %1</title>\n"
                          "<style>body{font-family:sans-serif;margin:0}#header{background:#5a2a82;color:#fff;"
                          "padding:8px}#header a{color:#fff}.nav li{display:inline;margin-right:16px}"
                          "#content{padding:8px 16px}td.label{padding-right:24px}</style>\n%2</head>\n"
                          "<body>\n%3<div id=\"content\">\n%4</div>\n</body></html>\n")
        .arg(title, head, header, content);
}

QString Link(int page, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(HubAPageUrl(page), text);
}

QString Row(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td class=\"label\">%1</td><td class=\"value\">%2</td></tr>\n")
        .arg(label, value);
}

QString Pair(double first, double second, int decimals, const QString &unit)
{
    QString text = QStringLiteral("%1 / %2").arg(
        QString::number(first, 'f', decimals), QString::number(second, 'f', decimals));
    if (!unit.isEmpty())
        text += u' ' + unit;
    return text;
}

QString Counts(quint64 first, quint64 second)
{
    return QStringLiteral("%1 / %2").arg(first).arg(second);
}

} // namespace

QString HubAPageUrl(int page)
{
    return QStringLiteral("/index.cgi?active%5fpage=%1").arg(page);
}

QString HubADuration(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const qint64 rest = seconds % 86400;
    return QStringLiteral("%1 days, %2:%3:%4")
        .arg(days)
        .arg(rest / 3600, 2, 10, QChar(u'0'))
        .arg(rest % 3600 / 60, 2, 10, QChar(u'0'))
        .arg(rest % 60, 2, 10, QChar(u'0'));
}

QString HubAHomePage(const LineFigures &figures)
{
    const QString state = figures.connected ? QStringLiteral("Connected") : QStringLiteral("Connecting");
    return Frame(QStringLiteral("Home"),
        QStringLiteral("<h2>Welcome to your Home Hub</h2>\n"
                       "<p>Broadband: %1</p>\n"
                       "<p>To see how your line is doing, go to %2.</p>\n")
            .arg(state, Link(9100, QStringLiteral("Settings"))));
}

QString HubALoginPage(const QString &fieldName, bool failed)
{
    // The password field is written by a script, as the real router does;
    // the script text keeps "name=password_NNNN" in the body's HTML.
    const QString notice = failed
        ? QStringLiteral("<p class=\"error\">The password you entered is incorrect. Please try again.</p>\n")
        : QString();
    const QString head = QStringLiteral("<script type=\"text/javascript\">\n"
                                        "function SubmitLogin() { var f = document.forms[0]; "
                                        "f.return_to.value = location.pathname + location.search;"
                                        " f.submit(); return false; }\n</script>\n");
    const QString content = QStringLiteral(
        "<div id=\"menu\">%1 | %2 | %3</div>\n"
        "<h2>Log in</h2>\n%4"
        "<p>Please enter your password to see or change the settings of your Home Hub.</p>\n"
        "<form name=\"login\" method=\"post\" action=\"\">\n"
        "<input type=\"hidden\" name=\"return_to\" value=\"\">\n"
        "<table><tr><td class=\"label\">Password:</td><td>"
        "<script type=\"text/javascript\">document.write('<input type=password name=%5 id=%5 size=20 "
        "maxlength=64>');"
        "</script></td></tr></table>\n"
        "<p>%6</p>\n"
        "<p class=\"buttons\"><a href=\"javascript:void(0)\" onclick=\"return SubmitLogin();\">OK</a></p>\n"
        "</form>\n"
        "<script type=\"text/javascript\">document.forms[0].return_to.value = location.pathname + "
        "location.search;"
        "</script>\n")
                                .arg(Link(9100, QStringLiteral("Basic")),
                                    Link(9106, QStringLiteral("Wireless")),
                                    Link(9110, QStringLiteral("Advanced Settings")), notice, fieldName,
                                    Link(9108, QStringLiteral("Forgotten your password?")));
    return Frame(QStringLiteral("Log in"), content, head);
}

QString HubAPasswordHintPage()
{
    return Frame(QStringLiteral("Password hint"),
        QStringLiteral("<h2>Password hint</h2>\n<p>Your password hint: the word printed on the card "
                       "that came with your Home Hub.</p>\n<p>%1</p>\n")
            .arg(Link(9100, QStringLiteral("Back to log in"))));
}

QString HubASettingsPage()
{
    return Frame(QStringLiteral("Settings"),
        QStringLiteral("<div id=\"menu\">%1 | %2 | %3</div>\n<h2>Basic Settings</h2>\n"
                       "<p>Wireless network name: HomeHub-5A2B</p>\n")
            .arg(Link(9100, QStringLiteral("Basic")), Link(9106, QStringLiteral("Wireless")),
                Link(9110, QStringLiteral("Advanced Settings"))));
}

QString HubAAdvancedWarningPage()
{
    return Frame(QStringLiteral("Advanced Settings"),
        QStringLiteral("<h2>Advanced Settings</h2>\n<p>Changes made here can stop your Home Hub from "
                       "working. Only go on if you know what you are doing.</p>\n"
                       "<p class=\"buttons\">%1 %2</p>\n")
            .arg(Link(9112, QStringLiteral("Continue")), Link(9100, QStringLiteral("Cancel"))));
}

QString HubAAdvancedPage()
{
    return Frame(QStringLiteral("Advanced Settings"),
        QStringLiteral("<h2>Advanced Settings</h2>\n<ul><li>%1</li><li>%2</li><li>%3</li></ul>\n")
            .arg(Link(9116, QStringLiteral("Broadband")), Link(9120, QStringLiteral("Home Network")),
                Link(9122, QStringLiteral("Firewall"))));
}

QString HubABroadbandPage(const QString &statisticsPath)
{
    return Frame(QStringLiteral("Broadband"),
        QStringLiteral("<h2>Broadband</h2>\n<ul><li><a href=\"%1\">Connection</a></li><li>%2</li></ul>\n")
            .arg(statisticsPath.toHtmlEscaped(), Link(9124, QStringLiteral("Internet"))));
}

QString HubAStatisticsPage(const LineFigures &f, const QString &statisticsPath)
{
    const QString state = f.connected ? QStringLiteral("Connected") : QStringLiteral("Connecting");
    // Upstream in Mbps with three decimals, downstream in whole Kbps and no
    // grouping, as the router writes them.
    const QString up = QString::number(f.speedUp / 1000.0, 'f', 3) + QStringLiteral(" Mbps");
    const QString down = QString::number(f.speedDown) + QStringLiteral(" Kbps");
    QString rows;
    rows += QStringLiteral("<tr><th colspan=\"2\">Connection Information</th></tr>\n");
    rows += Row(QStringLiteral("Line state:"), state);
    rows += Row(QStringLiteral("Connection time:"), HubADuration(f.lineUptime));
    rows += Row(QStringLiteral("Upstream:"), up);
    rows += Row(QStringLiteral("Downstream:"), down);
    rows += QStringLiteral("<tr><th colspan=\"2\">ADSL Line Status</th></tr>\n");
    rows += Row(QStringLiteral("Connection information:"), state);
    rows += Row(QStringLiteral("Modulation:"), QStringLiteral("G.992.5 Annex A"));
    rows += Row(
        QStringLiteral("Noise margin (Down/Up):"), Pair(f.marginDown, f.marginUp, 1, QStringLiteral("dB")));
    rows += Row(QStringLiteral("Line attenuation (Down/Up):"),
        Pair(f.attenuationDown, f.attenuationUp, 1, QStringLiteral("dB")));
    rows += Row(
        QStringLiteral("Output power (Down/Up):"), Pair(f.powerDown, f.powerUp, 1, QStringLiteral("dBm")));
    rows += Row(QStringLiteral("FEC Events (Down/Up):"), Counts(f.fecDown, f.fecUp));
    rows += Row(QStringLiteral("CRC Events (Down/Up):"), Counts(f.crcDown, f.crcUp));
    rows += Row(QStringLiteral("HEC Events (Down/Up):"), Counts(f.hecDown, f.hecUp));
    rows += Row(
        QStringLiteral("Error Seconds (Local/Remote):"), Counts(f.errorSecondsLocal, f.errorSecondsRemote));
    return Frame(QStringLiteral("Connection"),
        QStringLiteral("<h2>Advanced Settings</h2>\n<h3>ADSL Settings</h3>\n"
                       "<script type=\"text/javascript\">\nvar wait = %1;\n"
                       "function refreshPage() { window.location.reload(); }\n</script>\n"
                       "<table class=\"stats\" summary=\"Connection Information\">\n%2</table>\n"
                       "<p class=\"buttons\"><a href=\"%3\">Refresh</a></p>\n")
            .arg(QString::number(f.routerUptime), rows, statisticsPath.toHtmlEscaped()));
}

QString HubAPlainPage(const QString &title, const QString &text)
{
    return Frame(
        title, QStringLiteral("<h2>%1</h2>\n<p>%2</p>\n").arg(title.toHtmlEscaped(), text.toHtmlEscaped()));
}
