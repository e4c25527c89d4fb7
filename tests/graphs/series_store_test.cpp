#include "graphs/series_store.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Moment(QDate(2026, 12, 9), QTime(10, 5, 7));

TEST(SeriesStore, PointsTakeTheNextPositionAndKeepTheirLabelForm)
{
    SeriesStore series;
    series.add(6.2, Moment, LabelForm::DayAndTime, PointColour::Blue);
    series.add(6.4, Moment.addSecs(30), LabelForm::Time, PointColour::Blue);
    series.add(0, Moment.addSecs(60), LabelForm::Time, PointColour::None);
    ASSERT_EQ(series.count(), 3);
    EXPECT_EQ(series.value(1), 6.4);
    EXPECT_TRUE(series.isNull(2));
    EXPECT_EQ(series.label(0, QLocale::c()), QStringLiteral(" Wed 09 \r 10:05:07 "));
    EXPECT_EQ(series.label(1, QLocale::c()), QStringLiteral(" 10:05:37 "));
    EXPECT_EQ(series.moment(2), Moment.addSecs(60));
}

TEST(SeriesStore, ChangesOnlyExistingPoints)
{
    SeriesStore series;
    EXPECT_FALSE(series.setValue(0, 0));
    series.add(1000, Moment, LabelForm::Time, PointColour::Blue);
    EXPECT_TRUE(series.setValue(0, 0));
    EXPECT_EQ(series.value(0), 0);
}

TEST(SeriesStore, AClockSetBackStillGivesItsMoment)
{
    SeriesStore series;
    series.add(1, Moment, LabelForm::Time, PointColour::Blue);
    series.add(2, Moment.addDays(-3), LabelForm::Time, PointColour::Blue);
    EXPECT_EQ(series.moment(1), Moment.addDays(-3));
}

} // namespace
