#include "sampling/hub_a_reader.h"

#include "base/int_parsing.h"
#include "sampling/log_format.h"
#include "sampling/reader_steps.h"
#include "sampling/text_primitives.h"

#include <array>
#include <cmath>

namespace {

const std::array<QString, 6> &UserLabels()
{
    static const std::array<QString, 6> labels = {
        QStringLiteral("Output power (Down/Up):"),
        QStringLiteral("Line attenuation (Down/Up):"),
        QStringLiteral("Error Seconds (Local/Remote):"),
        QStringLiteral("FEC Events (Down/Up):"),
        QStringLiteral("CRC Events (Down/Up):"),
        QStringLiteral("HEC Events (Down/Up):"),
    };
    return labels;
}

QString TwoDigits(qint64 value)
{
    return QString::asprintf("%.2lld", static_cast<long long>(value));
}

// The page's "wait = N;" is the router's uptime in seconds, one short.
void ReadUptime(QStringView page, LineSample &sample, Readouts &readouts)
{
    const int p = Pos(u"wait =", page);
    if (p == 0)
        return;
    QStringView s = Cut(page, p + 6, 18);
    const qsizetype semicolon = s.indexOf(u';');
    if (semicolon >= 0)
        s = s.left(semicolon);
    const qint64 seconds = qint64(StrToIntDef(s, 0)) + 1;
    const qint64 days = seconds / 86400;
    const qint64 totalMinutes = seconds / 60;
    const qint64 totalHours = totalMinutes / 60;
    sample.uptimeText = QString::number(days) + QStringLiteral(" days, ") + TwoDigits(totalHours - 24 * days)
        + u':' + TwoDigits(totalMinutes - 60 * totalHours) + u':' + TwoDigits(seconds - 60 * totalMinutes);
    readouts.Label25 = sample.uptimeText;
}

// The window two ">" on from eight characters after a label.
QStringView ValueWindow(QStringView page, int p)
{
    QStringView s = Cut(page, p + 8, 200);
    s = After(s, u'>', 100);
    return After(s, u'>', 100);
}

// The whole part of a number, as the speed text is written.
QString WholeNumber(double value)
{
    const double whole = std::trunc(value);
    return whole == 0 ? QStringLiteral("0") : QString::number(whole, 'f', 0);
}

// Reads one speed, scaled to kbps when the router writes Mbps; false when
// its label is missing.
bool ReadSpeed(QStringView page, QStringView label, const ReaderOptions &options, double &speed,
    QString &speedText, QString &readout)
{
    speedText.clear();
    const int p = Pos(label, page);
    if (p == 0)
        return false;
    const QStringView s = ValueWindow(page, p);
    const double factor = s.contains(u"Mbps") ? 1000 : 1;
    speed = Convert(ExtractNumberRun(s), options.locale) * factor;
    speedText = WholeNumber(speed);
    readout = AddThouSep(speedText, options.locale) + QStringLiteral(" Kbps");
    return true;
}

void ReadUser(QStringView page, UserFigure figure, const ReaderOptions &options,
    const ReaderSteps::UserSlot &slot, LineSample &sample)
{
    const QString label = ReaderSteps::LabelFor(figure, UserLabels());
    if (label.isEmpty())
        return;
    const int p = Pos(label, page);
    if (p == 0)
        return;
    ReaderSteps::ReadUserFigure(Cut(ValueWindow(page, p), 1, 30), options, slot, sample);
}

} // namespace

void BTHomeHub3A(QStringView page, const ReaderOptions &options, LineSample &sample, Readouts &readouts)
{
    sample.pageRead = true;
    ReadUptime(page, sample, readouts);

    if (const int p = Pos(u"Noise margin (Down/Up):", page))
        ReaderSteps::ReadNoiseMargin(Cut(ValueWindow(page, p), 1, 20), options, sample, readouts);

    if (ReadSpeed(page, u"Upstream:", options, sample.speedUp, sample.speedUpText, readouts.Label15))
        AddSpeedUpColumn(sample.logLine, sample.speedUpText, options.logTab);
    if (ReadSpeed(page, u"Downstream:", options, sample.speedDown, sample.speedDownText, readouts.Label23))
        AddSpeedDownColumn(sample.logLine, sample.speedDownText, options.logTab);

    ReadUser(page, options.user1, options, ReaderSteps::Slot1(sample), sample);
    ReadUser(page, options.user2, options, ReaderSteps::Slot2(sample), sample);
}
