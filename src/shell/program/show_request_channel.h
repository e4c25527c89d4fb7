#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

// How a second desktop start on a data folder brings the running program's
// window to the front: the program holding the folder listens on a local
// socket named after the folder, and the second start connects, sends
// "show" and waits for "shown" before it exits. The socket lies in the
// user's runtime folder and only the user may connect.
class ShowRequestChannel final : public QObject {
    Q_OBJECT

public:
    explicit ShowRequestChannel(const QString &folder, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(ShowRequestChannel)

    // Listens for show requests. The caller holds the folder's lock, so a
    // socket left by a killed holder is removed first.
    bool listen();

    QString folder() const { return m_folder; }

    // Asks the program listening for this folder to show its window; true
    // once it answered.
    static bool AskToShow(const QString &folder);

    // The socket's name: "linewarden-" and a hash of the folder's canonical
    // path, in the runtime folder.
    static QString ServerName(const QString &folder);

signals:
    void showRequested();

private:
    void accept();
    void readRequest(QLocalSocket *socket);

    QString m_folder;
    QString m_name;
    QLocalServer m_server;
};
