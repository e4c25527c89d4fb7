#include "sampling/reader_steps.h"

#include "sampling/log_format.h"
#include "sampling/text_primitives.h"

namespace ReaderSteps {

void ReadNoiseMargin(QStringView window, const ReaderOptions &options, LineSample &sample, Readouts &readouts)
{
    const QString down = ExtractNumberRun(window);
    sample.noiseMarginDown = Correct(Convert(down, options.locale));
    readouts.Label22 = down + QStringLiteral(" dB");

    const QStringView rest = AfterSlash(window);
    const qsizetype dB = rest.indexOf(u"dB");
    QString up = dB < 0 ? QString() : TrimText(rest.left(dB)).toString();
    if (up.isEmpty())
        up = QStringLiteral("0");
    sample.noiseMarginUp = Correct(Convert(up, options.locale));
    readouts.Label20 = up + QStringLiteral(" dB");

    AddMarginColumns(sample.logLine, up, down, options.logTab);
}

UserSlot Slot1(LineSample &sample)
{
    return { sample.user1Down, sample.user1Up, sample.user1DownBase, sample.user1UpBase };
}

UserSlot Slot2(LineSample &sample)
{
    return { sample.user2Down, sample.user2Up, sample.user2DownBase, sample.user2UpBase };
}

void ReadUserFigure(
    QStringView window, const ReaderOptions &options, const UserSlot &slot, LineSample &sample)
{
    const QString first = ExtractNumberRun(window);
    const QString second = ExtractNumberRun(AfterSlash(window));
    slot.first = Convert(first, options.locale);
    slot.second = Convert(second, options.locale);
    AddUserColumns(sample.logLine, second, first, options.logTab);
    if (slot.secondBase == 0)
        slot.secondBase = slot.second;
    if (slot.firstBase == 0)
        slot.firstBase = slot.first;
}

} // namespace ReaderSteps

void StartLogLine(LineSample &sample, const QDateTime &loadedAt, const QString &logDateFormat)
{
    sample.logLine = LogLineStart(loadedAt, logDateFormat);
}
