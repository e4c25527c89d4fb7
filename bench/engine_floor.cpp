// What the browser engine costs by itself: the simulated router's
// statistics page loaded every sample interval into a bare QWebEngineView,
// with nothing of the program's around it (no reading, graphs, log or
// images). scripts/soak.sh --floor runs it with the same accounting as the
// program (CPU and PSS of the whole process tree), so the program's CPU per
// sample can be given as a ratio to this floor.
//
//   engine_floor --count-file FILE [--type A|B] [--sample SECONDS] [--hidden]
//
// Each completed load appends one line to FILE. --hidden keeps the view in
// a window but on a tab that is not shown, as the router page is while a
// graph tab is shown. Type A's statistics page needs the password, so the
// floor logs in once through the router's own form, as the program does.
#include "demo/simulated_router.h"
#include "shell/program/engine_start_up.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>

namespace {

struct Options {
    QString countFile;
    bool typeA = true;
    int sampleSeconds = 1;
    bool hidden = false;
};

bool ParseOptions(const QStringList &arguments, Options &options)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (option == u"--count-file" && hasValue)
            options.countFile = arguments.at(++i);
        else if (option == u"--type" && hasValue)
            options.typeA = arguments.at(++i).compare(u"B", Qt::CaseInsensitive) != 0;
        else if (option == u"--sample" && hasValue)
            options.sampleSeconds = qMax(1, arguments.at(++i).toInt());
        else if (option == u"--hidden")
            options.hidden = true;
        else
            return false;
    }
    return !options.countFile.isEmpty();
}

// The script that fills in and sends Type A's login form: the field whose
// name starts "password_" gets the password.
QString LoginScript(const QString &password)
{
    return QStringLiteral("(function () { var f = document.forms[0]; if (!f) return false;"
                          " for (var i = 0; i < f.elements.length; ++i) {"
                          "   var e = f.elements[i];"
                          "   if (String(e.name).indexOf('password_') === 0) e.value = '%1'; }"
                          " f.submit(); return true; })()")
        .arg(password);
}

} // namespace

int main(int argc, char **argv)
{
    // The engine starts as the program starts it.
    PrepareBrowserEngine(false);
    const QApplication app(argc, argv);
    Options options;
    if (!ParseOptions(QCoreApplication::arguments(), options)) {
        std::fputs(
            "usage: engine_floor --count-file FILE [--type A|B] [--sample SECONDS] [--hidden]\n", stderr);
        return 2;
    }

    SimulatedRouter::Options routerOptions;
    routerOptions.model = options.typeA ? SimulatedRouter::Model::TypeA : SimulatedRouter::Model::TypeB;
    SimulatedRouter router(routerOptions);
    QString error;
    if (!router.start(&error)) {
        std::fprintf(stderr, "engine_floor: %s\n", qPrintable(error));
        return 1;
    }
    const QUrl statistics(QStringLiteral("http://%1%2").arg(router.address(), router.statisticsPath()));

    // The window the program has: 1000 x 700, the view on a tab.
    QTabWidget window;
    window.resize(1000, 700);
    QWebEngineProfile profile;
    profile.setHttpCacheType(QWebEngineProfile::NoCache);
    profile.setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    auto *view = new QWebEngineView;
    auto *page = new QWebEnginePage(&profile, view);
    view->setPage(page);
    window.addTab(view, QStringLiteral("Router"));
    if (options.hidden)
        window.setCurrentIndex(window.addTab(new QWidget, QStringLiteral("Graph")));
    window.show();

    QFile counts(options.countFile);
    if (!counts.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "engine_floor: cannot write %s\n", qPrintable(options.countFile));
        return 1;
    }
    bool loggedIn = !options.typeA;
    QObject::connect(page, &QWebEnginePage::loadingChanged, page, [&](const QWebEngineLoadingInfo &info) {
        if (info.status() != QWebEngineLoadingInfo::LoadSucceededStatus)
            return;
        if (!loggedIn) {
            // The first statistics page of Type A is its login form.
            loggedIn = true;
            page->runJavaScript(LoginScript(QStringLiteral("admin")));
            return;
        }
        counts.write("load\n");
        counts.flush();
    });
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, page, [&] { page->load(statistics); });
    timer.start(options.sampleSeconds * 1000);
    page->load(statistics);
    const int status = QApplication::exec();
    // The page goes before the profile it belongs to.
    delete view;
    return status;
}
