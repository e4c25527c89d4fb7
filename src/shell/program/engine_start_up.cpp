#include "shell/program/engine_start_up.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <unistd.h>

namespace {

QtMessageHandler g_nextHandler = nullptr;

// What the engine says in the uncategorised log on every start without a
// sandbox (as root, where the program turns it off itself) or without a
// GPU (the offscreen platform draws in software by design): true, and
// nothing anyone can act on.
bool ExpectedEngineLine(const QString &message)
{
    return message == u"Sandboxing disabled by user." || message == u"No suitable graphics backend found";
}

void FilterEngineLines(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (ExpectedEngineLine(message.trimmed()))
        return;
    g_nextHandler(type, context, message);
}

bool Offscreen()
{
    return qEnvironmentVariable("QT_QPA_PLATFORM") == u"offscreen";
}

} // namespace

void PrepareBrowserEngine(bool headless)
{
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (headless && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Offscreen there is no OpenGL to share: the engine's scene graph draws
    // in software, as it would anyway, without warning that it could not.
    if (Offscreen() && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    // Users who set their own logging rules see everything the engine says.
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        return;
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    g_nextHandler = qInstallMessageHandler(FilterEngineLines);
}
