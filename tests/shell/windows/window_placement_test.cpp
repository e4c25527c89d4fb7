#include "shell/windows/window_placement.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// Two monitors side by side, the primary one on the left.
const QRect Primary(0, 0, 1920, 1080);
const QRect Desktop(0, 0, 3840, 1080);

TEST(WindowPlacement, StoredPlaceUnlessBeyondTheDesktopOrAlwaysOnThePrimaryMonitor)
{
    const struct {
        QRect stored;
        bool monitor1;
        QRect expected;
    } cases[] = {
        { QRect(2000, 100, 850, 650), false, QRect(2000, 100, 850, 650) }, // on the second monitor
        { QRect(2990, 100, 850, 650), false, QRect(2990, 100, 850, 650) }, // right edge on the last pixel
        { QRect(2991, 100, 850, 650), false, QRect(535, 215, 850, 650) }, // beyond: centred on the primary
        { QRect(2000, 100, 900, 700), true, QRect(510, 190, 900, 700) }, // always on the primary, same size
        { QRect(-900, 100, 850, 650), false, QRect(535, 215, 850, 650) }, // wholly left of the desktop
        { QRect(100, 1080, 850, 650), false, QRect(535, 215, 850, 650) }, // below it
        { QRect(100, -650, 850, 650), false, QRect(535, 215, 850, 650) }, // above it
        { QRect(-849, -649, 850, 650), false, QRect(-849, -649, 850, 650) }, // one pixel on it
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.x());
        EXPECT_EQ(PlaceMainWindow(c.stored, Desktop, Primary, c.monitor1), c.expected);
    }
}

} // namespace
