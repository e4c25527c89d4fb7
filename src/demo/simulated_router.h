#pragma once

#include "demo/line_figures.h"

#include <QString>
#include <QtGlobal>

#include <memory>

// A stand-in for the two router models, serving their web pages on
// 127.0.0.1 only: what the program looks for on them is there, and the line
// figures behave like a real line's. The figures move on one step (10 s of
// line time) per statistics page served, never by the clock, so a seed makes
// a run repeatable. Thread-safe: pages are answered on the HTTP server's
// threads, under one lock.
//
// Type A: "/" and "/index.cgi?active%5fpage=N" pages; the settings pages,
// the statistics page among them, answer with the login page until the
// password is given; login sets the cookie SESSIONID. Type B: "/" home,
// "/html/login.html", "/html/settings/index.html" (behind the password) and
// the statistics page "/html/settings/a_adsl.html".
class SimulatedRouter final {
public:
    enum class Model { TypeA, TypeB };

    // Faults of the statistics page (see setFault).
    enum class Fault {
        None,
        NeverFinish,
        HugePage,
        NoBody,
        JunkBytes,
        CloseConnection,
        ManyLinks,
        DeepNesting,
        ScriptLoop,
        Dialogs,
    };

    struct Options {
        Model model = Model::TypeA;
        quint16 port = 0; // 0: any free port
        quint32 seed = 1;
        QString password = QStringLiteral("admin");
        bool typeBStatisticsNeedLogin = false; // Type B: the statistics page asks for the password too
        quint64 hugePageBytes = 50ull * 1024 * 1024; // size of the HugePage fault's page
    };

    explicit SimulatedRouter(const Options &options);
    ~SimulatedRouter();
    SimulatedRouter(const SimulatedRouter &) = delete;
    SimulatedRouter &operator=(const SimulatedRouter &) = delete;

    // Listens on 127.0.0.1:port (0 = any free port); a router started again
    // after stop() listens on the port it had before.
    bool start(QString *error = nullptr);
    void stop(); // closes every connection, held-open ones too; sessions and figures stay

    quint16 port() const;
    QString address() const; // "127.0.0.1:<port>", the router address setting
    QString statisticsPath() const; // path and query of the statistics page

    // From now on every request for the statistics page (any method, logged
    // in or not) gets the fault instead of the page, until set back to None:
    // NeverFinish: 200 and the start of a page, then one blank a second,
    //   never complete, until the client goes away or the router stops;
    // HugePage: 200, a 50 MiB (hugePageBytes) HTML page of plain text lines
    //   in one <pre>, Content-Length given, streamed, never held in memory;
    // NoBody: 200, an XHTML document (application/xhtml+xml) without a body
    //   element, so the document has no body;
    // JunkBytes: 200, text/html, 64 KiB of random bytes;
    // CloseConnection: the connection is closed without any reply;
    // ManyLinks: 200, a page of 100 000 links;
    // DeepNesting: 200, markup nested 100 000 elements deep;
    // ScriptLoop: 200, a page whose script never returns;
    // Dialogs: 200, a page whose scripts open alert, confirm and prompt
    //   dialogs, on load and again and again after it.
    void setFault(Fault fault);

    int statisticsRequests() const; // statistics pages served (faults and login pages not counted)
    LineFigures lastFigures() const; // the figures of the last statistics page served
    void logOutAll(); // forgets every session: the next page asks for the password

private:
    struct State;
    Options m_options;
    std::unique_ptr<State> m_state;
};
