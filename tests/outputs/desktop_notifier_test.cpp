// Line events as desktop notifications, against a notification service of
// the test's own on a private bus; the user's session bus is never touched.
#include "base/settings.h"
#include "outputs/desktop_notifier.h"
#include "outputs/line_event_history.h"
#include "outputs/line_event_notifier.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>

namespace {

// org.freedesktop.Notifications as a desktop offers it, noting each call.
class NotificationService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString app;
        QString summary;
        QString body;
    };
    std::vector<Call> calls;
    bool refuse = false;

public slots:
    uint Notify(const QString &app, uint, const QString &, const QString &summary, const QString &body,
        const QStringList &, const QVariantMap &, int)
    {
        calls.push_back({ app, summary, body });
        if (refuse)
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused"));
        return uint(calls.size());
    }
};

bool WaitFor(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(20000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return done();
}

class DesktopNotifierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Whatever the notifier is given, it never finds the user's bus.
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        // The bus looks for services to start only in the test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), data.path());
        daemon.setProcessEnvironment(environment);
        daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--print-address"), QStringLiteral("--nofork") });
        while (!daemon.canReadLine() && daemon.waitForReadyRead(20000)) { }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
        service = QDBusConnection::connectToBus(address, QStringLiteral("test-notification-service"));
        ASSERT_TRUE(service.isConnected());
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("test-notification-service"));
        daemon.terminate();
        daemon.waitForFinished(10000);
    }

    void offerService()
    {
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
            QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }

    TempDataDir data;
    QProcess daemon;
    QString address;
    QDBusConnection service { QString() };
    NotificationService notifications;
};

TEST_F(DesktopNotifierTest, EachLineEventIsOneNotificationNamingItWithItsFigures)
{
    offerService();
    SettingsContext context;
    context.programFolder = data.path();
    Settings settings(context);
    settings.setFlag(SettingKey::NotifyEvents, true);
    FakeClock clock;
    LineEventHistory history;
    int fallbacks = 0;
    DesktopNotifier desktop([&fallbacks](const QString &, const QString &) { ++fallbacks; }, address);
    LineEventNotifier notifier(history, settings, clock, QLocale::c(),
        [&desktop](const EventNotice &notice) { desktop.notify(notice.summary, notice.body); });

    // Far enough apart that the line never counts as flapping.
    for (const LineEventKind kind : kAllLineEventKinds) {
        clock.advanceSeconds(11 * 60);
        history.add({ clock.now(), kind, { 5.9, 6.1, 1000, 8000 }, { 5.8, 6.4, 900, 7000 } });
    }
    ASSERT_TRUE(WaitFor([&] { return notifications.calls.size() >= kLineEventKinds; }));
    ASSERT_EQ(notifications.calls.size(), kLineEventKinds);
    for (std::size_t i = 0; i < kLineEventKinds; ++i) {
        const NotificationService::Call &call = notifications.calls[i];
        EXPECT_EQ(call.app, QStringLiteral("Linewarden"));
        EXPECT_EQ(call.summary, LineEventText(kAllLineEventKinds[i]));
        EXPECT_TRUE(call.body.contains(u"5.9 / 6.1 dB before, 5.8 / 6.4 dB after"))
            << call.body.toStdString();
        EXPECT_TRUE(call.body.contains(u"1000 / 8000 Kbps before, 900 / 7000 Kbps after"))
            << call.body.toStdString();
    }
    // Settled: nothing more arrives, and nothing went to the fallback.
    QCoreApplication::processEvents();
    EXPECT_EQ(notifications.calls.size(), kLineEventKinds);
    EXPECT_EQ(fallbacks, 0);
}

TEST_F(DesktopNotifierTest, WithoutAnAnsweringServiceTheFallbackShowsIt)
{
    const struct {
        const char *name;
        bool offered;
        bool refuse;
        bool noBus;
        std::size_t serviceCalls;
    } cases[] = {
        { "nobody owns the name", false, false, false, 0 },
        { "the service refuses", true, true, false, 1 },
        { "no bus", false, false, true, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        notifications.calls.clear();
        notifications.refuse = c.refuse;
        if (c.offered)
            offerService();
        QStringList shown;
        const QString bus = c.noBus ? QStringLiteral("unix:path=%1/no-bus").arg(data.path()) : address;
        DesktopNotifier desktop(
            [&shown](const QString &summary, const QString &body) { shown << summary + u'|' + body; }, bus);
        desktop.notify(QStringLiteral("Line down"), QStringLiteral("figures"));
        ASSERT_TRUE(WaitFor([&] { return !shown.isEmpty(); }));
        EXPECT_EQ(shown, QStringList { QStringLiteral("Line down|figures") });
        EXPECT_EQ(notifications.calls.size(), c.serviceCalls);
        if (c.offered) {
            service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
            service.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        }
    }
}

} // namespace

#include "desktop_notifier_test.moc"
