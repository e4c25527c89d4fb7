#include "base/date_time_pattern.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);

QString Format(const char16_t *pattern, const QDateTime &moment)
{
    return FormatDateTime(QString::fromUtf16(pattern), moment, kUk);
}

// Wednesday 9 December 2026, 07:05:04.321 and 19:45:30.
const QDateTime kMorning(QDate(2026, 12, 9), QTime(7, 5, 4, 321));
const QDateTime kEvening(QDate(2026, 12, 9), QTime(19, 45, 30));

TEST(DateTimePattern, LogAndLabelPatterns)
{
    EXPECT_EQ(Format(u"ddd dd mmm yyyy  hh:mm:ss", kMorning), QStringLiteral("Wed 09 Dec 2026  07:05:04"));
    EXPECT_EQ(Format(u"HH:mm", kEvening), QStringLiteral("19:45"));
    EXPECT_EQ(Format(u" hh:mm:ss ", kMorning), QStringLiteral(" 07:05:04 "));
    EXPECT_EQ(Format(u" ddd dd ", kMorning), QStringLiteral(" Wed 09 "));
    EXPECT_EQ(Format(u"ddd dd mmmm hh:mm:ss", kEvening), QStringLiteral("Wed 09 December 19:45:30"));
    EXPECT_EQ(Format(u"d/m/yy", kMorning), QStringLiteral("9/12/26"));
    EXPECT_EQ(Format(u"dddd", kMorning), QStringLiteral("Wednesday"));
}

TEST(DateTimePattern, MeansMinutesOnlyRightAfterAnHour)
{
    EXPECT_EQ(Format(u"mm", kMorning), QStringLiteral("12"));
    EXPECT_EQ(Format(u"hh mm", kMorning), QStringLiteral("07 05"));
    EXPECT_EQ(Format(u"h'h'm", kMorning), QStringLiteral("7h5"));
    EXPECT_EQ(Format(u"hh x mm", kMorning), QStringLiteral("07 x 12")); // a letter in between
    EXPECT_EQ(Format(u"hh:mmm", kMorning), QStringLiteral("07:Dec"));
    EXPECT_EQ(Format(u"hh:nn:ss.zzz", kMorning), QStringLiteral("07:05:04.321"));
    EXPECT_EQ(Format(u"n:s:z", kMorning), QStringLiteral("5:4:321"));
    EXPECT_EQ(Format(u"YYYY-MM-DD", kMorning), QStringLiteral("2026-12-09"));
}

TEST(DateTimePattern, TwelveHourClockFollowsTheMarker)
{
    EXPECT_EQ(Format(u"h:nn am/pm", kEvening), QStringLiteral("7:45 pm"));
    EXPECT_EQ(Format(u"h:nn AM/PM", kMorning), QStringLiteral("7:05 AM"));
    EXPECT_EQ(Format(u"hh a/p", kEvening), QStringLiteral("07 p"));
    EXPECT_EQ(Format(u"h ampm", kEvening), QStringLiteral("7 ") + kUk.pmText());
    EXPECT_EQ(Format(u"h:nn", QDateTime(QDate(2026, 1, 1), QTime(0, 7))), QStringLiteral("0:07"));
    EXPECT_EQ(Format(u"h am/pm", QDateTime(QDate(2026, 1, 1), QTime(0, 7))), QStringLiteral("12 am"));
    EXPECT_EQ(Format(u"h am/pm", QDateTime(QDate(2026, 1, 1), QTime(12, 7))), QStringLiteral("12 pm"));
    // The marker belongs to the nearest hour before it.
    EXPECT_EQ(Format(u"hh hh am/pm", kEvening), QStringLiteral("19 07 pm"));
}

TEST(DateTimePattern, QuotedTextAndOtherCharactersAreCopied)
{
    EXPECT_EQ(Format(u"'dd mm' \"hh\" dd", kMorning), QStringLiteral("dd mm hh 09"));
    EXPECT_EQ(Format(u"'unterminated dd", kMorning), QStringLiteral("unterminated dd"));
    EXPECT_EQ(Format(u"[dd] #", kMorning), QStringLiteral("[09] #"));
    EXPECT_EQ(Format(u"", kMorning), QString());
}

TEST(DateTimePattern, LocaleFormatsAndSeparators)
{
    EXPECT_EQ(Format(u"ddddd", kMorning), kUk.toString(kMorning.date(), QLocale::ShortFormat));
    EXPECT_EQ(Format(u"dddddd", kMorning), kUk.toString(kMorning.date(), QLocale::LongFormat));
    EXPECT_EQ(Format(u"t", kMorning), QStringLiteral("07:05"));
    EXPECT_EQ(Format(u"tt", kMorning), QStringLiteral("07:05:04"));
    EXPECT_EQ(Format(u"c", kMorning),
        kUk.toString(kMorning.date(), QLocale::ShortFormat) + QStringLiteral(" 07:05:04"));

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy"), kMorning, german), QStringLiteral("09.12.2026"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddd mmmm"), kMorning, german), QStringLiteral("Mi. Dezember"));
}

TEST(DateTimePattern, LongTimeCarriesNoTimeZone)
{
    // Locales whose long time format names the zone still give a clock reading.
    for (const QLocale &locale : { QLocale(QLocale::English, QLocale::UnitedStates), kUk,
             QLocale(QLocale::French, QLocale::France) }) {
        const QString text = LocaleLongTime(QTime(19, 45, 30), locale);
        const QTime back
            = locale.toTime(text, locale.timeFormat(QLocale::LongFormat).remove(u't').simplified());
        EXPECT_EQ(back, QTime(19, 45, 30)) << text.toStdString();
    }
}

} // namespace
