#include "demo/hub_a_site.h"

#include "demo/hub_a_pages.h"
#include "demo/router_state.h"

namespace {

// The pages that need the password.
bool IsProtected(int page)
{
    switch (page) {
    case 9100: // Settings
    case 9106: // Wireless
    case 9110: // Advanced Settings warning
    case 9112: // Advanced Settings
    case 9116: // Broadband
    case 9118: // Connection: the statistics page
    case 9120: // Home Network
    case 9122: // Firewall
    case 9124: // Internet
        return true;
    default:
        return false;
    }
}

bool IsKnown(int page)
{
    return IsProtected(page) || page == 9098 || page == 9102 || page == 9104 || page == 9108;
}

// The page a request asks for: 0 when it asks for none of ours.
int RequestedPage(const HttpRequest &request)
{
    if (request.path == u"/")
        return HubASite::kHomePage;
    if (request.path != u"/index.cgi")
        return 0;
    if (!request.hasQuery(QStringLiteral("active_page")))
        return HubASite::kHomePage;
    bool ok = false;
    const int page = request.queryValue(QStringLiteral("active_page")).toInt(&ok);
    return ok && IsKnown(page) ? page : 0;
}

bool CarriesPassword(const HttpRequest &request)
{
    for (const auto &field : request.form) {
        if (field.first.startsWith(QStringLiteral("password_")))
            return true;
    }
    return false;
}

} // namespace

QString HubASite::statisticsPath() const
{
    return HubAPageUrl(kStatisticsPage) + QStringLiteral("&nav%5fclear=1");
}

bool HubASite::isStatisticsRequest(const HttpRequest &request) const
{
    return RequestedPage(request) == kStatisticsPage;
}

HttpReply HubASite::answer(const HttpRequest &request, RouterState &state)
{
    const int requested = RequestedPage(request);
    if (requested == 0)
        return RouterNotFound();
    const bool post = request.method == "POST";
    if (!post && request.method != "GET" && request.method != "HEAD")
        return RouterMethodNotAllowed();
    if (post && CarriesPassword(request))
        return login(requested, request, state);
    if (IsProtected(requested) && !state.sessions().admits(request))
        return RouterPage(HubALoginPage(state.sessions().issueFieldName(), false));
    return page(requested, request, state);
}

HttpReply HubASite::login(int page, const HttpRequest &request, RouterState &state) const
{
    // Only a field name this router handed out counts, with the right password.
    RouterSessions &sessions = state.sessions();
    for (const auto &field : request.form) {
        if (sessions.isIssuedFieldName(field.first) && field.second == state.password())
            return sessions.welcome(RouterSessions::returnPath(request, ownUrl(page, request)));
    }
    return RouterPage(HubALoginPage(sessions.issueFieldName(), true));
}

QString HubASite::ownUrl(int page, const HttpRequest &request) const
{
    QString url = HubAPageUrl(page);
    if (request.hasQuery(QStringLiteral("nav_clear")))
        url += QStringLiteral("&nav%5fclear=1");
    return url;
}

HttpReply HubASite::page(int page, const HttpRequest &, RouterState &state) const
{
    switch (page) {
    case 9100:
        return RouterPage(HubASettingsPage());
    case 9102:
        return RouterPage(HubAPlainPage(
            QStringLiteral("Troubleshooting"), QStringLiteral("Your Home Hub has found no problems.")));
    case 9104:
        return RouterPage(HubAPlainPage(QStringLiteral("Help"),
            QStringLiteral("Help for your Home Hub is on the card that came with it.")));
    case 9106:
        return RouterPage(
            HubAPlainPage(QStringLiteral("Wireless"), QStringLiteral("Wireless is switched on.")));
    case 9108:
        return RouterPage(HubAPasswordHintPage());
    case 9110:
        return RouterPage(HubAAdvancedWarningPage());
    case 9112:
        return RouterPage(HubAAdvancedPage());
    case 9116:
        return RouterPage(HubABroadbandPage(statisticsPath()));
    case kStatisticsPage:
        return RouterPage(HubAStatisticsPage(state.nextStatistics(), statisticsPath()));
    case 9120:
        return RouterPage(
            HubAPlainPage(QStringLiteral("Home Network"), QStringLiteral("3 devices connected.")));
    case 9122:
        return RouterPage(HubAPlainPage(QStringLiteral("Firewall"), QStringLiteral("The firewall is on.")));
    case 9124:
        return RouterPage(
            HubAPlainPage(QStringLiteral("Internet"), QStringLiteral("Connected to the Internet.")));
    default:
        return RouterPage(HubAHomePage(state.currentFigures()));
    }
}
