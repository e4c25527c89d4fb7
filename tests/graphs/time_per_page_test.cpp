#include "graphs/time_per_page.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(TimePerPage, WholeMinutesWithHalvesRoundedToEven)
{
    EXPECT_EQ(TimePerPageCaption(30, 480), QStringLiteral("(4 hr : 0 min per page)"));
    EXPECT_EQ(TimePerPageCaption(15, 250), QStringLiteral("(1 hr : 2 min per page)"));
    EXPECT_EQ(TimePerPageCaption(30, 25), QStringLiteral("(0 hr : 12 min per page)"));
    EXPECT_EQ(TimePerPageCaption(45, 10), QStringLiteral("(0 hr : 8 min per page)"));
    EXPECT_EQ(TimePerPageCaption(300, 5000), QStringLiteral("(416 hr : 40 min per page)"));
}

} // namespace
