#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// Desktop notifications through the desktop's notification service, the
// freedesktop one (org.freedesktop.Notifications) on the session bus, as
// "Linewarden". The bus is reached at the first notification. Where no
// service answers a notification (no bus, nobody owns the name, or the call
// fails or times out), fallback shows it instead, once the answer is in.
class DesktopNotifier final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifier)

public:
    using Fallback = std::function<void(const QString &summary, const QString &body)>;

    // busAddress names the bus to talk to; empty, the user's session bus.
    explicit DesktopNotifier(Fallback fallback, QString busAddress = {}, QObject *parent = nullptr);
    ~DesktopNotifier() override;

    // Sends one notification; it does not wait for the service's answer.
    void notify(const QString &summary, const QString &body);

private:
    struct Bus;
    Bus &bus();

    Fallback m_fallback;
    QString m_busAddress;
    std::unique_ptr<Bus> m_bus;
};
