#include "demo/hub_b_site.h"

#include "demo/hub_b_pages.h"
#include "demo/router_state.h"

namespace {

const QString &LoginPath()
{
    static const QString path = QStringLiteral("/html/login.html");
    return path;
}

const QString &SettingsPath()
{
    static const QString path = QStringLiteral("/html/settings/index.html");
    return path;
}

const QString &StatisticsPath()
{
    static const QString path = QStringLiteral("/html/settings/a_adsl.html");
    return path;
}

bool IsHome(const QString &path)
{
    return path == u"/" || path == u"/index.html" || path == u"/html/home.html";
}

bool CarriesPassword(const HttpRequest &request)
{
    for (const auto &field : request.form) {
        if (field.first == u"password")
            return true;
    }
    return false;
}

} // namespace

HubBSite::HubBSite(bool statisticsAskLogin) : m_statisticsAskLogin(statisticsAskLogin) { }

QString HubBSite::statisticsPath() const
{
    return StatisticsPath();
}

bool HubBSite::isStatisticsRequest(const HttpRequest &request) const
{
    return request.path == StatisticsPath();
}

HttpReply HubBSite::answer(const HttpRequest &request, RouterState &state)
{
    const QString &path = request.path;
    const bool known
        = IsHome(path) || path == LoginPath() || path == SettingsPath() || path == StatisticsPath();
    if (!known)
        return RouterNotFound();
    const bool post = request.method == "POST";
    if (!post && request.method != "GET" && request.method != "HEAD")
        return RouterMethodNotAllowed();
    if (post && (path == LoginPath() || CarriesPassword(request)))
        return login(request, state);

    const bool loggedIn = state.sessions().admits(request);
    if (path == LoginPath())
        return RouterPage(HubBLoginPage(false));
    if (path == SettingsPath())
        return RouterPage(loggedIn ? HubBSettingsPage() : HubBLoginPage(false));
    if (path == StatisticsPath()) {
        if (m_statisticsAskLogin && !loggedIn)
            return RouterPage(HubBLoginPage(false));
        return RouterPage(HubBStatisticsPage(state.nextStatistics()));
    }
    return RouterPage(HubBHomePage(state.currentFigures()));
}

HttpReply HubBSite::login(const HttpRequest &request, RouterState &state) const
{
    if (request.formValue(QStringLiteral("password")) != state.password())
        return RouterPage(HubBLoginPage(true));
    // From the login page itself the way leads on to the settings.
    const QString fallback = request.path == LoginPath() ? SettingsPath() : request.path;
    QString target = RouterSessions::returnPath(request, fallback);
    if (target == LoginPath())
        target = SettingsPath();
    return state.sessions().welcome(target);
}
