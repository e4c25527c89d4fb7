#include "sampling/hub_b_reader.h"

#include "sampling/log_format.h"
#include "sampling/reader_steps.h"
#include "sampling/text_primitives.h"

#include <array>

namespace {

const std::array<QString, 6> &UserAnchors()
{
    static const std::array<QString, 6> anchors = {
        QStringLiteral("DslInfo.OutputPower)"),
        QStringLiteral("DslInfo.LineAtten)"),
        QStringLiteral("DslShowtime[0].ErrSec)"),
        QStringLiteral("DslShowtime[0].FECErr)"),
        QStringLiteral("DslShowtime[0].CRCErr)"),
        QStringLiteral("DslShowtime[0].HECErr)"),
    };
    return anchors;
}

bool IsUptimeChar(QChar c)
{
    return c == u' ' || c == u',' || c == u'.' || c == u':' || (c >= u'0' && c <= u'9') || c == u'a'
        || c == u'd' || c == u's' || c == u'y';
}

// The router's own uptime text with everything but digits, separators and
// the letters of "days" filtered out.
void ReadUptime(QStringView page, LineSample &sample, Readouts &readouts)
{
    const int p = Pos(u"FormatTime(DslInfo.UpTime))", page);
    if (p == 0)
        return;
    const QStringView s = Cut(page, p + 30, 35).left(30);
    QString text;
    for (const QChar c : s) {
        if (IsUptimeChar(c))
            text += c;
    }
    if (text.startsWith(u'0')) {
        const qsizetype day = text.indexOf(u"day");
        if (day >= 0)
            text.replace(day, 3, QStringLiteral("days"));
    }
    sample.uptimeText = text;
    readouts.Label25 = text;
}

// Reads one speed as the router writes it; false when its anchor is missing.
bool ReadSpeed(QStringView page, QStringView anchor, const ReaderOptions &options, double &speed,
    QString &speedText, QString &readout, QString &logText)
{
    speedText.clear();
    const int p = Pos(anchor, page);
    if (p == 0)
        return false;
    speedText = ExtractNumberRun(After(Cut(page, p + 8, 100), u'>', 20));
    logText = speedText;
    const qsizetype comma = logText.indexOf(u',');
    if (comma >= 0)
        logText.remove(comma, 1);
    speed = Convert(logText, options.locale);
    readout = speedText + QStringLiteral(" Kbps");
    return true;
}

void ReadUser(QStringView page, UserFigure figure, const ReaderOptions &options,
    const ReaderSteps::UserSlot &slot, LineSample &sample)
{
    const QString anchor = ReaderSteps::LabelFor(figure, UserAnchors());
    if (anchor.isEmpty())
        return;
    const int p = Pos(anchor, page);
    if (p == 0)
        return;
    const QStringView s = After(Cut(page, p + 8, 200), u'>', 50);
    const qsizetype lt = s.indexOf(u'<');
    ReaderSteps::ReadUserFigure(lt < 0 ? QStringView() : s.left(lt), options, slot, sample);
}

} // namespace

void BTHomeHub3B(QStringView page, const ReaderOptions &options, LineSample &sample, Readouts &readouts)
{
    ReadUptime(page, sample, readouts);

    const int p = Pos(u"DslInfo.NoiseMargin)", page);
    if (p == 0)
        return;
    sample.pageRead = true;
    ReaderSteps::ReadNoiseMargin(Cut(After(Cut(page, p, 50), u'>', 20), 1, 20), options, sample, readouts);

    QString logText;
    if (ReadSpeed(page, u"DslInfo.UpCurrRate)", options, sample.speedUp, sample.speedUpText, readouts.Label15,
            logText))
        AddSpeedUpColumn(sample.logLine, logText, options.logTab);
    if (ReadSpeed(page, u"DslInfo.DownCurrRate)", options, sample.speedDown, sample.speedDownText,
            readouts.Label23, logText))
        AddSpeedDownColumn(sample.logLine, logText, options.logTab);

    ReadUser(page, options.user1, options, ReaderSteps::Slot1(sample), sample);
    ReadUser(page, options.user2, options, ReaderSteps::Slot2(sample), sample);
}
