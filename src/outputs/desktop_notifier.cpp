#include "outputs/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kAnswerMs = 5000; // a service that hangs gets this long before the fallback shows
constexpr int kServerDecidesExpiry = -1;

QString ConnectionName(const void *owner)
{
    return QStringLiteral("linewarden-notifications-%1").arg(quintptr(owner), 0, 16);
}

} // namespace

// The connection to the bus; a bus of our own (given by its address) is
// closed again with the notifier.
struct DesktopNotifier::Bus {
    explicit Bus(const QString &address, const QString &name)
        : connection(
            address.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection::connectToBus(address, name)),
          ownName(address.isEmpty() ? QString() : name)
    {
    }
    ~Bus()
    {
        if (!ownName.isEmpty())
            QDBusConnection::disconnectFromBus(ownName);
    }
    Q_DISABLE_COPY_MOVE(Bus)

    QDBusConnection connection;
    QString ownName;
};

DesktopNotifier::DesktopNotifier(Fallback fallback, QString busAddress, QObject *parent)
    : QObject(parent), m_fallback(std::move(fallback)), m_busAddress(std::move(busAddress))
{
}

DesktopNotifier::~DesktopNotifier() = default;

DesktopNotifier::Bus &DesktopNotifier::bus()
{
    if (!m_bus)
        m_bus = std::make_unique<Bus>(m_busAddress, ConnectionName(this));
    return *m_bus;
}

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
    QDBusConnection &connection = bus().connection;
    if (!connection.isConnected()) {
        m_fallback(summary, body);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    const QVariantMap hints { { QStringLiteral("desktop-entry"), QStringLiteral("linewarden") } };
    call << QStringLiteral("Linewarden") << uint(0) << QStringLiteral("linewarden") << summary << body
         << QStringList() << hints << kServerDecidesExpiry;
    auto *answer = new QDBusPendingCallWatcher(connection.asyncCall(call, kAnswerMs), this);
    connect(
        answer, &QDBusPendingCallWatcher::finished, this, [this, summary, body](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            if (w->isError())
                m_fallback(summary, body);
        });
}
