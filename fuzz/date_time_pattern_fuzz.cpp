// Any pattern, any moment, a few locales: the formatter must not crash and
// must give a bounded text (no pattern multiplies its own length beyond what
// the longest token could give).
#include "base/date_time_pattern.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // Years 1 to 9999 in milliseconds since the epoch.
    const qint64 msecs = input.ConsumeIntegralInRange<qint64>(-62135596800000LL, 253402300799999LL);
    static const QLocale locales[] = { QLocale::c(), QLocale(QLocale::English, QLocale::UnitedKingdom),
        QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt) };
    const QLocale &locale = locales[input.ConsumeIntegralInRange<int>(0, 3)];
    const bool utc = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString pattern = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(msecs, utc ? Qt::UTC : Qt::LocalTime);

    const QString text = FormatDateTime(pattern, moment, locale);
    // The longest expansion of one pattern character is a long date and a
    // long time (the "c" and "dddddd" tokens): far below 200 characters.
    if (text.size() > 200 * (pattern.size() + 1))
        std::abort();
    return 0;
}
