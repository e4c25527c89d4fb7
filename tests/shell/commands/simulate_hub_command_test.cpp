#include "shell/commands/simulate_hub_command.h"

#include "demo/simulated_router.h"

#include "support/qt_printers.h"
#include "support/raw_http_client.h"

#include <gtest/gtest.h>

namespace {

CommandLine SimulateHub(QChar type, quint16 port = 0)
{
    CommandLine line;
    line.mode = CommandLine::Mode::SimulateHub;
    line.hubType = type;
    line.port = port;
    return line;
}

TEST(SimulateHubCommand, ServesTheRouterUntilToldToStop)
{
    QString printed;
    QString errors;
    QTextStream out(&printed);
    QTextStream err(&errors);
    RawHttpReply page;
    quint16 port = 0;

    const int status = RunSimulateHub(SimulateHub(u'B'), out, err, [&](const SimulatedRouter &router) {
        port = router.port();
        page = RawHttpClient::get(port, "/html/settings/a_adsl.html");
    });

    EXPECT_EQ(status, 0);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(page.text().contains(QStringLiteral("DslInfo.NoiseMargin)")));
    EXPECT_TRUE(printed.contains(QStringLiteral("http://127.0.0.1:%1/html/settings/a_adsl.html").arg(port)));
    // Stopped: nothing listens there any more.
    RawHttpClient gone(port);
    EXPECT_FALSE(gone.connectToServer());
}

TEST(SimulateHubCommand, SaysWhyWhenThePortIsTaken)
{
    SimulatedRouter other(SimulatedRouter::Options {});
    ASSERT_TRUE(other.start());

    QString printed;
    QString errors;
    QTextStream out(&printed);
    QTextStream err(&errors);
    bool ran = false;
    const int status = RunSimulateHub(
        SimulateHub(u'A', other.port()), out, err, [&ran](const SimulatedRouter &) { ran = true; });

    EXPECT_EQ(status, 1);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(errors.startsWith(QStringLiteral("linewarden: ")));
    EXPECT_EQ(errors.count(u'\n'), 1);
}

} // namespace
