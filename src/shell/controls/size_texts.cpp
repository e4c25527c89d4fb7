#include "shell/controls/size_texts.h"

#include "base/date_time_pattern.h"
#include "shell/controls/folder_size_cache.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

constexpr qint64 kKiB = 1024;
constexpr qint64 kMiB = 1024 * kKiB;
constexpr qint64 kGiB = 1024 * kMiB;

// "#.##": at most two decimals, rounded, without trailing zeros or a
// trailing decimal separator, and without grouping.
QString TwoDecimals(double value, const QLocale &locale)
{
    QLocale plain(locale);
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(value, 'f', 2);
    const QString point = plain.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(plain.zeroDigit()))
            text.chop(plain.zeroDigit().size());
        if (text.endsWith(point))
            text.chop(point.size());
    }
    // A value that rounds to zero prints without its sign.
    const QString minusZero = plain.negativeSign() + plain.zeroDigit();
    return text == minusZero ? plain.zeroDigit() : text;
}

QString LogPanelText(const QString &logPath, const QLocale &locale)
{
    return QFileInfo(logPath).fileName() + QStringLiteral(":   ") + FormatSize(FileSizeOf(logPath), locale);
}

} // namespace

qint64 FileSizeOf(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

qint64 FolderSize(const QString &folder)
{
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

QString FormatSize(qint64 count, const QLocale &locale)
{
    if (count == 0)
        return QStringLiteral("[no files]");
    if (count > kGiB)
        return TwoDecimals(double(count) / double(kGiB), locale) + QStringLiteral(" GB");
    if (count > kMiB)
        return TwoDecimals(double(count) / double(kMiB), locale) + QStringLiteral(" MB");
    if (count <= kKiB)
        return TwoDecimals(double(count), locale) + QStringLiteral(" bytes");
    return TwoDecimals(double(count) / double(kKiB), locale) + QStringLiteral(" KB");
}

QString StartPanelText(const QDateTime &start, const QLocale &locale)
{
    return QStringLiteral("Start: ") + FormatDateTime(QStringLiteral("ddd dd mmmm hh:mm:ss"), start, locale);
}

QString LogPanelTextAfterSample(const QString &logPath, bool loggingOn, const QLocale &locale)
{
    return loggingOn ? LogPanelText(logPath, locale) : QString();
}

QString LogPanelTextAtStartUp(const QString &logPath, const QLocale &locale)
{
    return QFileInfo(logPath).isFile() ? LogPanelText(logPath, locale) : QString();
}

namespace {

template<typename SizeOf>
QString CaptureText(const QString &captureFolder, const QLocale &locale, SizeOf sizeOf)
{
    if (captureFolder.isEmpty() || !QFileInfo(captureFolder).isDir())
        return QString();
    return QStringLiteral("Capture folder:  ") + FormatSize(sizeOf(captureFolder), locale);
}

} // namespace

QString CapturePanelText(const QString &captureFolder, const QLocale &locale)
{
    return CaptureText(captureFolder, locale, FolderSize);
}

QString CapturePanelText(const QString &captureFolder, FolderSizeCache &sizes, const QLocale &locale)
{
    return CaptureText(captureFolder, locale, [&sizes](const QString &folder) { return sizes.size(folder); });
}
