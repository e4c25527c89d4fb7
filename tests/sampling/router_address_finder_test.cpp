#include "sampling/router_address_finder.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Kind = FoundRouterAddress::Kind;

TEST(RouterAddressFinderTest, GatewayIsTheValidAddressAfterVia)
{
    const struct {
        const char *output;
        Kind kind;
        const char *address;
    } cases[] = {
        { "default via 192.168.1.254 dev eth0 proto dhcp metric 100\n", Kind::Address, "192.168.1.254" },
        { "default via 10.0.0.1 dev wlan0\ndefault via 10.0.0.2 dev eth1\n", Kind::Address, "10.0.0.1" },
        { "", Kind::NoRoute, "" },
        { " \n\n", Kind::NoRoute, "" },
        { "default dev ppp0 scope link\n", Kind::NotAnAddress, "" },
        { "default via fe80::1 dev eth0\n", Kind::NotAnAddress, "" },
        { "default via 192.168.1.256 dev eth0\n", Kind::NotAnAddress, "" },
        { "default via\n", Kind::NotAnAddress, "" },
    };
    for (const auto &c : cases) {
        const FoundRouterAddress found = GatewayFromRouteOutput(c.output);
        EXPECT_EQ(found.kind, c.kind) << c.output;
        EXPECT_EQ(found.address, QString::fromLatin1(c.address)) << c.output;
    }
}

// The lookup against stand-in commands: whatever they print, however long
// they run, the answer comes within the time limit and start() never waits.
TEST(RouterAddressFinderTest, AnyCommandAnswersWithinTheLimit)
{
    const struct {
        const char *name;
        QString program;
        const char *script;
        Kind kind;
        const char *address;
    } cases[] = {
        { "route", QStringLiteral("/bin/sh"), "echo 'default via 192.168.1.254 dev eth0'", Kind::Address,
            "192.168.1.254" },
        { "nothing", QStringLiteral("/bin/sh"), "true", Kind::NoRoute, "" },
        { "not an address", QStringLiteral("/bin/sh"), "echo 'default via router.home dev eth0'",
            Kind::NotAnAddress, "" },
        // The gateway cut short by the time limit is not taken for another.
        { "never ends", QStringLiteral("/bin/sh"), "printf 'default via 192.168.1.25'; exec sleep 60",
            Kind::NoRoute, "" },
        { "never ends after a route", QStringLiteral("/bin/sh"),
            "echo 'default via 10.1.1.1 dev eth0'; sleep 60 & wait", Kind::Address, "10.1.1.1" },
        { "megabytes", QStringLiteral("/bin/sh"),
            "echo 'default via 10.0.0.138 dev eth0'; yes 'default via 10.0.0.2 dev eth0 proto static'",
            Kind::Address, "10.0.0.138" },
        { "no such command", QStringLiteral("/nonexistent/ip"), "", Kind::NoRoute, "" },
    };
    for (const auto &c : cases) {
        RouteQuery query;
        query.program = c.program;
        query.arguments = { QStringLiteral("-c"), QString::fromLatin1(c.script) };
        query.timeLimitMs = 800;
        query.outputCap = 16 * 1024;
        RouterAddressFinder finder(query);
        QSignalSpy finished(&finder, &RouterAddressFinder::finished);
        QElapsedTimer elapsed;
        elapsed.start();
        finder.start();
        EXPECT_LT(elapsed.elapsed(), 200) << c.name;
        ASSERT_TRUE(finished.count() == 1 || finished.wait(5000)) << c.name;
        EXPECT_LT(elapsed.elapsed(), 3000) << c.name;
        EXPECT_FALSE(finder.isRunning()) << c.name;
        const auto found = finished.first().first().value<FoundRouterAddress>();
        EXPECT_EQ(found.kind, c.kind) << c.name;
        EXPECT_EQ(found.address, QString::fromLatin1(c.address)) << c.name;
    }
}

TEST(RouterAddressFinderTest, CancelledLookupReportsNothing)
{
    RouteQuery query;
    query.program = QStringLiteral("/bin/sh");
    query.arguments = { QStringLiteral("-c"), QStringLiteral("sleep 0.2; echo 'default via 10.0.0.1'") };
    RouterAddressFinder finder(query);
    QSignalSpy finished(&finder, &RouterAddressFinder::finished);
    finder.start();
    finder.cancel();
    EXPECT_FALSE(finder.isRunning());
    EXPECT_FALSE(finished.wait(600));
}

} // namespace
