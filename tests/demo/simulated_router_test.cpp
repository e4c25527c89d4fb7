#include "demo/simulated_router.h"

#include "demo/hub_a_pages.h"
#include "demo/hub_b_pages.h"
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"
#include "sampling/text_primitives.h"

#include "support/qt_printers.h"
#include "support/raw_http_client.h"

#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

SimulatedRouter::Options Model(SimulatedRouter::Model model, quint32 seed = 1)
{
    SimulatedRouter::Options options;
    options.model = model;
    options.seed = seed;
    return options;
}

QByteArray Target(const QString &pathAndQuery)
{
    return pathAndQuery.toLatin1();
}

// The hrefs (as written, entities undone) and texts of every <a> element in
// document order.
struct Link {
    QString tag;
    QString href;
    QString text;
};

QList<Link> LinksOf(const QString &html)
{
    static const QRegularExpression anchor(QStringLiteral("<a\\b([^>]*)>(.*?)</a>"));
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QList<Link> links;
    for (auto it = anchor.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        Link link;
        link.tag = match.captured(1);
        link.href = href.match(link.tag).captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        link.text = match.captured(2);
        links.append(link);
    }
    return links;
}

QString HrefOf(const QString &html, const QString &text)
{
    for (const Link &link : LinksOf(html)) {
        if (link.text == text)
            return link.href;
    }
    return {};
}

QString PasswordFieldOf(const QString &html)
{
    static const QRegularExpression field(QStringLiteral("name=(password_[0-9]+)"));
    return field.match(html).captured(1);
}

// A browser of sorts: keeps the session cookie and logs in when asked.
class Visitor {
public:
    explicit Visitor(quint16 port) : m_port(port) { }

    RawHttpReply get(const QString &target)
    {
        return keep(RawHttpClient::get(m_port, Target(target), cookieHeader()));
    }

    RawHttpReply post(const QString &target, const QByteArray &form)
    {
        return keep(RawHttpClient::post(m_port, Target(target), form, cookieHeader()));
    }

    // Logs in on a Type A login page served at target, as the page's own
    // script would post it; returns the router's answer.
    RawHttpReply logInA(const QString &target, const QString &loginPage, const QString &password)
    {
        const QString field = PasswordFieldOf(loginPage);
        return post(target,
            "return_to=" + QUrl::toPercentEncoding(target) + '&' + field.toLatin1() + '='
                + QUrl::toPercentEncoding(password));
    }

    bool hasSession() const { return !m_cookie.isEmpty(); }

private:
    RawHttpReply keep(RawHttpReply reply)
    {
        const QByteArray setCookie = reply.header("Set-Cookie");
        if (!setCookie.isEmpty())
            m_cookie = setCookie.split(';').first();
        return reply;
    }

    QByteArray cookieHeader() const
    {
        return m_cookie.isEmpty() ? QByteArray() : "Cookie: " + m_cookie + "\r\n";
    }

    quint16 m_port;
    QByteArray m_cookie;
};

class SimulatedRouterTest : public ::testing::Test {
protected:
    void start(const SimulatedRouter::Options &options)
    {
        router = std::make_unique<SimulatedRouter>(options);
        QString error;
        ASSERT_TRUE(router->start(&error)) << error.toStdString();
        visitor = std::make_unique<Visitor>(router->port());
    }

    // Type A: logs in at the statistics page.
    void logInA()
    {
        const RawHttpReply login = visitor->get(router->statisticsPath());
        const RawHttpReply answer
            = visitor->logInA(router->statisticsPath(), login.text(), QStringLiteral("admin"));
        ASSERT_EQ(answer.status, 303);
        ASSERT_TRUE(visitor->hasSession());
    }

    std::unique_ptr<SimulatedRouter> router;
    std::unique_ptr<Visitor> visitor;
};

ReaderOptions ReadingFigures(int first, int second)
{
    ReaderOptions options;
    options.user1 = UserFigureFromIndex(first);
    options.user2 = UserFigureFromIndex(second);
    options.logTab = 8;
    options.locale = QLocale::c();
    return options;
}

// The two values a user-defined graph shows for a figure of the list:
// the first (down, local) and the second (up, remote).
QPair<double, double> UserValues(const LineFigures &f, int figure)
{
    switch (UserFigure(figure)) {
    case UserFigure::OutputPower:
        return { f.powerDown, f.powerUp };
    case UserFigure::LineAttenuation:
        return { f.attenuationDown, f.attenuationUp };
    case UserFigure::ErrorSeconds:
        return { double(f.errorSecondsLocal), double(f.errorSecondsRemote) };
    case UserFigure::FecErrors:
        return { double(f.fecDown), double(f.fecUp) };
    case UserFigure::CrcErrors:
        return { double(f.crcDown), double(f.crcUp) };
    case UserFigure::HecErrors:
        return { double(f.hecDown), double(f.hecUp) };
    case UserFigure::None:
        break;
    }
    return {};
}

// Checks that a reader got every figure of the page served.
void ExpectReadCleanly(
    const LineSample &sample, const Readouts &readouts, const LineFigures &f, int first, int second)
{
    EXPECT_TRUE(sample.pageRead);
    EXPECT_DOUBLE_EQ(sample.noiseMarginDown, f.marginDown);
    EXPECT_DOUBLE_EQ(sample.noiseMarginUp, f.marginUp);
    EXPECT_EQ(sample.speedDown, f.speedDown);
    EXPECT_EQ(sample.speedUp, f.speedUp);
    EXPECT_DOUBLE_EQ(sample.user1Down, UserValues(f, first).first);
    EXPECT_DOUBLE_EQ(sample.user1Up, UserValues(f, first).second);
    EXPECT_DOUBLE_EQ(sample.user2Down, UserValues(f, second).first);
    EXPECT_DOUBLE_EQ(sample.user2Up, UserValues(f, second).second);
    // Time stamp, then eight figures: none was left out.
    EXPECT_EQ(sample.logLine.split(u',').size(), 9) << sample.logLine.toStdString();
    EXPECT_FALSE(readouts.Label20.isEmpty());
    EXPECT_FALSE(readouts.Label15.isEmpty());
}

TEST_F(SimulatedRouterTest, TypeAStatisticsPagesReadCleanlyThroughDropsAndResyncs)
{
    start(Model(SimulatedRouter::Model::TypeA, 3));
    ASSERT_NO_FATAL_FAILURE(logInA());
    EXPECT_EQ(router->address(), QStringLiteral("127.0.0.1:%1").arg(router->port()));
    EXPECT_EQ(router->statisticsPath(), QStringLiteral("/index.cgi?active%5fpage=9118&nav%5fclear=1"));

    LineSample sample;
    int dropsSeen = 0;
    for (int i = 0; i < 400; ++i) {
        const RawHttpReply reply = visitor->get(router->statisticsPath());
        ASSERT_EQ(reply.status, 200);
        const QString body = BodyOf(reply.text());
        const LineFigures figures = router->lastFigures();
        ASSERT_TRUE(body.contains(QStringLiteral("ADSL Settings")));
        ASSERT_TRUE(body.contains(QStringLiteral("wait = %1;").arg(figures.routerUptime)));
        dropsSeen += figures.connected ? 0 : 1;

        const int first = i % 6;
        const int second = (i + 3) % 6;
        Readouts readouts;
        sample.resetForPageLoad();
        sample.logLine = QStringLiteral("T, ");
        BTHomeHub3A(body, ReadingFigures(first, second), sample, readouts);
        SCOPED_TRACE(i);
        ExpectReadCleanly(sample, readouts, figures, first, second);
        EXPECT_EQ(readouts.Label25, HubADuration(figures.routerUptime + 1));
        if (HasFatalFailure() || HasNonfatalFailure())
            break;
    }
    EXPECT_GT(dropsSeen, 0);
    EXPECT_EQ(router->statisticsRequests(), 400);
}

TEST_F(SimulatedRouterTest, TypeBStatisticsPagesReadCleanlyThroughDropsAndResyncs)
{
    start(Model(SimulatedRouter::Model::TypeB, 3));
    EXPECT_EQ(router->statisticsPath(), QStringLiteral("/html/settings/a_adsl.html"));

    LineSample sample;
    int dropsSeen = 0;
    for (int i = 0; i < 400; ++i) {
        const RawHttpReply reply = visitor->get(router->statisticsPath());
        ASSERT_EQ(reply.status, 200);
        const QString body = BodyOf(reply.text());
        const LineFigures figures = router->lastFigures();
        dropsSeen += figures.connected ? 0 : 1;

        const int first = i % 6;
        const int second = (i + 3) % 6;
        Readouts readouts;
        sample.resetForPageLoad();
        sample.logLine = QStringLiteral("T, ");
        BTHomeHub3B(body, ReadingFigures(first, second), sample, readouts);
        SCOPED_TRACE(i);
        ExpectReadCleanly(sample, readouts, figures, first, second);
        // Speeds keep the router's thousands comma in the read-outs.
        EXPECT_EQ(readouts.Label23, HubBSpeed(figures.speedDown) + QStringLiteral(" Kbps"));
        if (figures.speedDown >= 1000) {
            EXPECT_TRUE(readouts.Label23.contains(u','));
        }
        // Nothing after the time survives the uptime filter.
        QString uptime = HubBDuration(figures.lineUptime);
        if (uptime.startsWith(u'0'))
            uptime.replace(QStringLiteral("day"), QStringLiteral("days"));
        EXPECT_EQ(readouts.Label25, uptime);
        if (HasFatalFailure() || HasNonfatalFailure())
            break;
    }
    EXPECT_GT(dropsSeen, 0);
}

TEST_F(SimulatedRouterTest, TypeALoginPageAndPasswordCheck)
{
    start(Model(SimulatedRouter::Model::TypeA));
    const QString stats = router->statisticsPath();

    // Not logged in: the statistics address answers with the login page.
    const QString login = visitor->get(stats).text();
    const QString body = BodyOf(login);
    EXPECT_FALSE(body.contains(QStringLiteral("ADSL Settings")));
    EXPECT_GE(Pos(u"name=password_", body), 3);
    EXPECT_TRUE(body.contains(QStringLiteral("Password:")));
    EXPECT_EQ(router->statisticsRequests(), 0);

    // The password field sits in the first form, and so does link 8, which
    // submits that form.
    const qsizetype formStart = body.indexOf(QStringLiteral("<form"));
    const qsizetype formEnd = body.indexOf(QStringLiteral("</form>"));
    const qsizetype fieldAt = body.indexOf(QStringLiteral("name=password_"));
    ASSERT_GE(formStart, 0);
    EXPECT_GT(fieldAt, formStart);
    EXPECT_LT(fieldAt, formEnd);
    const QList<Link> links = LinksOf(body);
    ASSERT_GT(links.size(), 8);
    EXPECT_TRUE(links.at(8).tag.contains(QStringLiteral("onclick=\"return SubmitLogin();\"")));
    EXPECT_TRUE(login.contains(QStringLiteral("function SubmitLogin() { var f = document.forms[0];")));
    EXPECT_TRUE(login.contains(QStringLiteral("f.submit();")));
    EXPECT_GT(body.indexOf(QStringLiteral("SubmitLogin")), formStart);
    EXPECT_LT(body.indexOf(QStringLiteral("SubmitLogin")), formEnd);
    for (const Link &link : links)
        EXPECT_FALSE(link.href.isEmpty()); // every <a> counts as a link

    // A wrong password: a page saying so, and still no session.
    const RawHttpReply wrong = visitor->logInA(stats, login, QStringLiteral("guess"));
    EXPECT_EQ(wrong.status, 200);
    EXPECT_GE(Pos(u"incorrect", BodyOf(wrong.text())), 3);
    EXPECT_FALSE(visitor->hasSession());
    EXPECT_TRUE(BodyOf(visitor->get(stats).text()).contains(QStringLiteral("name=password_")));

    // A field name the router never handed out does not get in either.
    const RawHttpReply madeUp = visitor->post(stats, "password_1=admin");
    EXPECT_GE(Pos(u"incorrect", BodyOf(madeUp.text())), 3);

    // The right password: back to the same address, with a session.
    const QString learned = QStringLiteral("/index.cgi?active_page=9118&");
    const RawHttpReply right
        = visitor->logInA(learned, visitor->get(learned).text(), QStringLiteral("admin"));
    EXPECT_EQ(right.status, 303);
    EXPECT_EQ(right.header("Location"), Target(learned));
    EXPECT_TRUE(right.header("Set-Cookie").startsWith("SESSIONID="));
    const RawHttpReply page = visitor->get(learned);
    EXPECT_TRUE(BodyOf(page.text()).contains(QStringLiteral("ADSL Settings")));
    EXPECT_TRUE(BodyOf(visitor->get(stats).text()).contains(QStringLiteral("ADSL Settings")));
    EXPECT_EQ(router->statisticsRequests(), 2);

    // Without return_to the way leads back to the page in the router's spelling.
    Visitor other(router->port());
    const QString field = PasswordFieldOf(other.get(stats).text());
    const RawHttpReply plain = other.post(stats, field.toLatin1() + "=admin");
    EXPECT_EQ(plain.header("Location"), Target(stats));
    // A return_to leading elsewhere is not followed.
    Visitor third(router->port());
    const QString field2 = PasswordFieldOf(third.get(stats).text());
    const RawHttpReply away
        = third.post(stats, "return_to=%2F%2Fexample.com%2F&" + field2.toLatin1() + "=admin");
    EXPECT_EQ(away.header("Location"), Target(stats));

    // Forgetting the sessions brings the login page back.
    router->logOutAll();
    EXPECT_TRUE(BodyOf(visitor->get(stats).text()).contains(QStringLiteral("name=password_")));
}

TEST_F(SimulatedRouterTest, TypeATrailLeadsFromTheHomePageToTheStatistics)
{
    start(Model(SimulatedRouter::Model::TypeA));
    QString page = visitor->get(QStringLiteral("/")).text();
    ASSERT_FALSE(page.isEmpty());

    QString at = HrefOf(page, QStringLiteral("Settings"));
    ASSERT_FALSE(at.isEmpty());
    page = visitor->get(at).text();
    // (Login): the settings ask for the password first.
    ASSERT_TRUE(page.contains(QStringLiteral("name=password_")));
    const RawHttpReply welcome = visitor->logInA(at, page, QStringLiteral("admin"));
    ASSERT_EQ(welcome.status, 303);
    page = visitor->get(QString::fromLatin1(welcome.header("Location"))).text();

    for (const QString &step : { QStringLiteral("Advanced Settings"), QStringLiteral("Continue"),
             QStringLiteral("Broadband"), QStringLiteral("Connection") }) {
        SCOPED_TRACE(step.toStdString());
        EXPECT_FALSE(page.contains(QStringLiteral("ADSL Settings")));
        at = HrefOf(page, step);
        ASSERT_FALSE(at.isEmpty());
        page = visitor->get(at).text();
    }
    EXPECT_EQ(at, router->statisticsPath());
    EXPECT_TRUE(page.contains(QStringLiteral("ADSL Settings")));
    EXPECT_TRUE(at.contains(QStringLiteral("active%5fpage=9118&nav%5fclear=1")));

    // The hint behind "Forgotten your password?" is public.
    Visitor stranger(router->port());
    const QString hint
        = HrefOf(stranger.get(router->statisticsPath()).text(), QStringLiteral("Forgotten your password?"));
    EXPECT_TRUE(stranger.get(hint).text().contains(QStringLiteral("Your password hint")));
}

TEST_F(SimulatedRouterTest, TypeBLoginPageGuardsTheSettings)
{
    SimulatedRouter::Options options = Model(SimulatedRouter::Model::TypeB);
    options.typeBStatisticsNeedLogin = true;
    options.password = QStringLiteral("s3cret");
    start(options);

    const QString login = BodyOf(visitor->get(QStringLiteral("/html/login.html")).text());
    EXPECT_GE(Pos(u"enter your admin password", login), 3);
    EXPECT_TRUE(login.contains(QStringLiteral("Password:")));
    EXPECT_GE(Pos(u"enter your admin password", BodyOf(visitor->get(router->statisticsPath()).text())), 3);
    EXPECT_EQ(router->statisticsRequests(), 0);

    const RawHttpReply wrong = visitor->post(QStringLiteral("/html/login.html"), "password=admin");
    EXPECT_GE(Pos(u"incorrect", BodyOf(wrong.text())), 3);
    EXPECT_FALSE(visitor->hasSession());

    const RawHttpReply right = visitor->post(
        router->statisticsPath(), "password=s3cret&return_to=%2Fhtml%2Fsettings%2Fa_adsl.html");
    EXPECT_EQ(right.status, 303);
    EXPECT_EQ(right.header("Location"), QByteArrayLiteral("/html/settings/a_adsl.html"));
    EXPECT_TRUE(
        visitor->get(router->statisticsPath()).text().contains(QStringLiteral("DslInfo.NoiseMargin)")));
    EXPECT_TRUE(visitor->get(QStringLiteral("/html/settings/index.html"))
                    .text()
                    .contains(QStringLiteral("Settings")));
    EXPECT_EQ(router->statisticsRequests(), 1);

    // Without the option the statistics page needs no password.
    SimulatedRouter open(Model(SimulatedRouter::Model::TypeB));
    ASSERT_TRUE(open.start());
    EXPECT_TRUE(RawHttpClient::get(open.port(), "/html/settings/a_adsl.html")
                    .text()
                    .contains(QStringLiteral("DslInfo.NoiseMargin)")));
    EXPECT_FALSE(BodyOf(RawHttpClient::get(open.port(), "/").text()).contains(QStringLiteral("incorrect")));
}

TEST_F(SimulatedRouterTest, EveryFaultStrikesTheStatisticsPageOnlyAndPasses)
{
    start(Model(SimulatedRouter::Model::TypeA));
    ASSERT_NO_FATAL_FAILURE(logInA());
    const QString stats = router->statisticsPath();
    int served = 0;

    const auto expectHealthy = [&] {
        EXPECT_EQ(visitor->get(QStringLiteral("/")).status, 200);
        router->setFault(SimulatedRouter::Fault::None);
        EXPECT_TRUE(visitor->get(stats).text().contains(QStringLiteral("ADSL Settings")));
        EXPECT_EQ(router->statisticsRequests(), ++served);
    };

    router->setFault(SimulatedRouter::Fault::NeverFinish);
    {
        RawHttpClient stalled(router->port());
        ASSERT_TRUE(stalled.connectToServer());
        ASSERT_TRUE(stalled.send("GET " + Target(stats) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
        EXPECT_TRUE(stalled.readUntil("<p>Please wait"));
        EXPECT_TRUE(stalled.received().startsWith("HTTP/1.1 200"));
        expectHealthy();
    }

    router->setFault(SimulatedRouter::Fault::HugePage);
    {
        const RawHttpReply huge = visitor->get(stats);
        EXPECT_EQ(huge.status, 200);
        EXPECT_EQ(huge.header("Content-Length"), QByteArray::number(50 * 1024 * 1024));
        EXPECT_EQ(huge.body.size(), 50 * 1024 * 1024);
        EXPECT_TRUE(huge.body.startsWith("<!DOCTYPE html>"));
        EXPECT_TRUE(huge.body.endsWith("</body></html>\n"));
        EXPECT_FALSE(huge.body.contains("ADSL Settings"));
        expectHealthy();
    }

    router->setFault(SimulatedRouter::Fault::NoBody);
    {
        const RawHttpReply bodiless = visitor->get(stats);
        EXPECT_EQ(bodiless.status, 200);
        EXPECT_EQ(bodiless.header("Content-Type"), QByteArrayLiteral("application/xhtml+xml"));
        EXPECT_TRUE(bodiless.body.contains("<html"));
        EXPECT_FALSE(bodiless.body.contains("<body"));
        expectHealthy();
    }

    router->setFault(SimulatedRouter::Fault::JunkBytes);
    {
        const RawHttpReply junk = visitor->get(stats);
        EXPECT_EQ(junk.status, 200);
        EXPECT_EQ(junk.body.size(), 64 * 1024);
        EXPECT_TRUE(junk.body.contains('\0'));
        EXPECT_FALSE(junk.body.contains("ADSL Settings"));
        expectHealthy();
    }

    router->setFault(SimulatedRouter::Fault::CloseConnection);
    {
        const RawHttpReply dropped = visitor->get(stats);
        EXPECT_FALSE(dropped.answered);
        // Logged in or not, the statistics address is what fails.
        EXPECT_FALSE(RawHttpClient::get(router->port(), Target(stats)).answered);
        expectHealthy();
    }
}

TEST_F(SimulatedRouterTest, HostilePageFaultsServeTheirPage)
{
    start(Model(SimulatedRouter::Model::TypeA));
    ASSERT_NO_FATAL_FAILURE(logInA());
    const QString stats = router->statisticsPath();
    using Fault = SimulatedRouter::Fault;
    const struct {
        Fault fault;
        QByteArray part;
        int count;
    } cases[] = {
        { Fault::ManyLinks, "<a href=", 100000 },
        { Fault::DeepNesting, "<div><span>", 50000 },
        { Fault::ScriptLoop, "for (;;) {}", 1 },
        { Fault::Dialogs, "alert(", 2 },
    };
    for (const auto &c : cases) {
        router->setFault(c.fault);
        const RawHttpReply reply = visitor->get(stats);
        EXPECT_EQ(reply.status, 200) << c.part.toStdString();
        EXPECT_EQ(reply.body.count(c.part), c.count) << c.part.toStdString();
        EXPECT_TRUE(reply.body.endsWith("</body></html>\n"));
    }
    router->setFault(Fault::None);
    EXPECT_TRUE(visitor->get(stats).text().contains(QStringLiteral("ADSL Settings")));
}

TEST_F(SimulatedRouterTest, ASeedRepeatsTheRun)
{
    const auto run = [](quint32 seed) {
        SimulatedRouter router(Model(SimulatedRouter::Model::TypeB, seed));
        EXPECT_TRUE(router.start());
        QList<QByteArray> pages;
        for (int i = 0; i < 30; ++i)
            pages.append(RawHttpClient::get(router.port(), "/html/settings/a_adsl.html").body);
        return pages;
    };
    const QList<QByteArray> first = run(11);
    EXPECT_EQ(first, run(11));
    EXPECT_NE(first, run(12));
    EXPECT_NE(first.at(0), first.at(1)); // the figures move from page to page
}

TEST_F(SimulatedRouterTest, HostileOrUnknownRequestsNeverCrashIt)
{
    start(Model(SimulatedRouter::Model::TypeA));
    const quint16 port = router->port();
    EXPECT_EQ(RawHttpClient::get(port, "/index.cgi?active%5fpage=9118%00").status, 400);
    EXPECT_EQ(RawHttpClient::get(port, "/index.cgi%00?active%5fpage=9118").status, 400);
    EXPECT_EQ(RawHttpClient::get(port, "/nowhere.html").status, 404);
    EXPECT_EQ(RawHttpClient::get(port, "/index.cgi?active%5fpage=12ab").status, 404);
    EXPECT_EQ(RawHttpClient::get(port, "/../../etc/passwd").status, 404);
    RawHttpClient put(port);
    EXPECT_EQ(
        put.exchange("PUT / HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\nConnection: close\r\n\r\n").status,
        405);
    const RawHttpReply huge
        = RawHttpClient::get(port, "/", "Cookie: " + QByteArray(100 * 1024, 'c') + "\r\n");
    EXPECT_TRUE(!huge.answered || huge.status >= 400);
    EXPECT_EQ(RawHttpClient::post(port, Target(router->statisticsPath()), "password_=&=&&%%%").status, 200);
    EXPECT_EQ(RawHttpClient::get(port, "/").status, 200);
    EXPECT_EQ(router->statisticsRequests(), 0);
}

TEST_F(SimulatedRouterTest, ComesBackAtTheSameAddressAfterAStop)
{
    start(Model(SimulatedRouter::Model::TypeB));
    const quint16 port = router->port();
    router->stop();
    RawHttpClient gone(port);
    EXPECT_FALSE(gone.connectToServer());
    ASSERT_TRUE(router->start());
    EXPECT_EQ(router->port(), port);
    EXPECT_EQ(RawHttpClient::get(port, "/").status, 200);
}

} // namespace
