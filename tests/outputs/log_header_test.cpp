#include "outputs/log_header.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace
{

TEST(LogHeader, UserColumnsFollowTheFixedOnesAndNoneAddsNothing)
{
    const QString base = QStringLiteral(
        "Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)");
    EXPECT_EQ(BuildLogHeader(QStringLiteral("[none]"), QStringLiteral("[none]")), base);
    EXPECT_EQ(BuildLogHeader(QStringLiteral("CRC Errors"), QStringLiteral("Output Power (dBm)")),
              base + QStringLiteral(", Up CRC Errors, Down CRC Errors, Up Output Power (dBm), "
                                    "Down Output Power (dBm)"));
}

} // namespace
