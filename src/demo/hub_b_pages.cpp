#include "demo/hub_b_pages.h"

namespace {

QString Frame(const QString &title, const QString &content)
{
    return QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Home Hub - %1</title>\n"
        "<style>body{font-family:sans-serif;margin:0}#top{background:#222;color:#fff;padding:8px}"
        "#top a{color:#fff;margin-right:16px}#main{padding:8px 16px}td.name{padding-right:24px}"
        "</style></head>\n<body>\n"
        "<div id=\"top\"><a href=\"/html/home.html\">Home</a>"
        "<a href=\"/html/settings/index.html\">Settings</a>"
        "<a href=\"/html/settings/a_adsl.html\">Broadband</a></div>\n"
        "<div id=\"main\">\n%2</div>\n</body></html>\n")
        .arg(title, content);
}

// One figure cell: the script anchor, then the value.
QString Cell(const QString &name, const QString &anchor, const QString &value)
{
    return QStringLiteral("<tr><td class=\"name\">%1</td><td class=\"val\"><!--%2-->%3</td></tr>\n")
        .arg(name, anchor, value);
}

QString Pair(double first, double second)
{
    return QStringLiteral("%1/%2").arg(QString::number(first, 'f', 1), QString::number(second, 'f', 1));
}

QString Counts(quint64 first, quint64 second)
{
    return QStringLiteral("%1/%2").arg(first).arg(second);
}

} // namespace

QString HubBSpeed(int kbps)
{
    if (kbps < 1000)
        return QString::number(kbps);
    return QStringLiteral("%1,%2").arg(kbps / 1000).arg(kbps % 1000, 3, 10, QChar(u'0'));
}

QString HubBDuration(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const qint64 rest = seconds % 86400;
    return QStringLiteral("%1 %2, %3:%4:%5")
        .arg(days)
        .arg(days < 2 ? QStringLiteral("day") : QStringLiteral("days"))
        .arg(rest / 3600, 2, 10, QChar(u'0'))
        .arg(rest % 3600 / 60, 2, 10, QChar(u'0'))
        .arg(rest % 60, 2, 10, QChar(u'0'));
}

QString HubBHomePage(const LineFigures &figures)
{
    return Frame(QStringLiteral("Home"),
        QStringLiteral("<h1>Home Hub</h1>\n<p>Broadband is %1.</p>\n"
                       "<p><a href=\"/html/settings/a_adsl.html\">Connection Information</a></p>\n")
            .arg(figures.connected ? QStringLiteral("up") : QStringLiteral("down")));
}

QString HubBLoginPage(bool failed)
{
    const QString notice = failed
        ? QStringLiteral("<p class=\"error\">The password you entered is incorrect.</p>\n")
        : QString();
    return Frame(QStringLiteral("Log in"),
        QStringLiteral("<h1>Log in</h1>\n%1<p>Please enter your admin password to continue.</p>\n"
                       "<form method=\"post\" action=\"\">\n"
                       "<input type=\"hidden\" name=\"return_to\" value=\"\">\n"
                       "<p>Password: <input type=\"password\" name=\"password\" size=\"20\"> "
                       "<input type=\"submit\" value=\"OK\"></p>\n</form>\n"
                       "<script type=\"text/javascript\">document.forms[0].return_to.value = "
                       "location.pathname + location.search;</script>\n")
            .arg(notice));
}

QString HubBSettingsPage()
{
    return Frame(QStringLiteral("Settings"),
        QStringLiteral("<h1>Settings</h1>\n<ul><li><a href=\"/html/settings/a_adsl.html\">Broadband"
                       "</a></li><li><a href=\"/html/home.html\">Home</a></li></ul>\n"));
}

QString HubBStatisticsPage(const LineFigures &f)
{
    QString rows;
    rows += Cell(QStringLiteral("Line status"), QStringLiteral("DslInfo.Status)"),
        f.connected ? QStringLiteral("Up") : QStringLiteral("Down"));
    // The uptime cell is followed by markup only, so nothing after the time
    // survives the program's filter of the uptime text.
    rows += QStringLiteral(
        "<tr><td class=\"name\">Uptime</td><th class=\"val\"><!--FormatTime(DslInfo.UpTime))-->"
        "%1</th><th></th></tr>\n")
                .arg(HubBDuration(f.lineUptime));
    rows += Cell(QStringLiteral("Noise margin (dB)"), QStringLiteral("DslInfo.NoiseMargin)"),
        QStringLiteral("%1 / %2 dB")
            .arg(QString::number(f.marginDown, 'f', 1), QString::number(f.marginUp, 'f', 1)));
    rows += Cell(
        QStringLiteral("Upstream rate (kbps)"), QStringLiteral("DslInfo.UpCurrRate)"), HubBSpeed(f.speedUp));
    rows += Cell(QStringLiteral("Downstream rate (kbps)"), QStringLiteral("DslInfo.DownCurrRate)"),
        HubBSpeed(f.speedDown));
    rows += Cell(QStringLiteral("Output power (dBm)"), QStringLiteral("DslInfo.OutputPower)"),
        Pair(f.powerDown, f.powerUp));
    rows += Cell(QStringLiteral("Line attenuation (dB)"), QStringLiteral("DslInfo.LineAtten)"),
        Pair(f.attenuationDown, f.attenuationUp));
    rows += Cell(QStringLiteral("Errored seconds"), QStringLiteral("DslShowtime[0].ErrSec)"),
        Counts(f.errorSecondsLocal, f.errorSecondsRemote));
    rows += Cell(
        QStringLiteral("FEC errors"), QStringLiteral("DslShowtime[0].FECErr)"), Counts(f.fecDown, f.fecUp));
    rows += Cell(
        QStringLiteral("CRC errors"), QStringLiteral("DslShowtime[0].CRCErr)"), Counts(f.crcDown, f.crcUp));
    rows += Cell(
        QStringLiteral("HEC errors"), QStringLiteral("DslShowtime[0].HECErr)"), Counts(f.hecDown, f.hecUp));
    return Frame(QStringLiteral("Broadband"),
        QStringLiteral("<h1>Broadband</h1>\n<h2>Connection Information</h2>\n"
                       "<table class=\"dsl\" cellspacing=\"0\">\n%1</table>\n")
            .arg(rows));
}
