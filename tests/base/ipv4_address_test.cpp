#include "base/ipv4_address.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(Ipv4AddressTest, FourPiecesFrom0To255)
{
    const struct {
        const char *text;
        bool valid;
    } cases[] = {
        { "192.168.1.254", true },
        { "0.0.0.0", true },
        { "255.255.255.255", true },
        { "  127.0.0.1 ", true },
        { "1.2.3.4.anything", true }, // nothing after a fourth "." is examined
        { "", false },
        { "1.2.3", false },
        { "1.2.3.", false },
        { "1.2..4", false },
        { "256.1.1.1", false },
        { "1.2.3.1000", false },
        { "a.b.c.d", false },
        { "-1.2.3.4", false },
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsValidIPv4(QString::fromLatin1(c.text)), c.valid) << c.text;
}

} // namespace
