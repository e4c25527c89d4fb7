#pragma once

#include "demo/hub_site.h"

// The pages of a Type A router: everything under "/index.cgi?active%5fpage=N".
// The settings pages, the statistics page among them, answer with the login
// page until the password has been given; the way to the statistics page is
// Settings > Advanced Settings > Continue > Broadband > Connection.
class HubASite final : public HubSite {
public:
    QString statisticsPath() const override;
    bool isStatisticsRequest(const HttpRequest &request) const override;
    HttpReply answer(const HttpRequest &request, RouterState &state) override;

    static constexpr int kHomePage = 9098;
    static constexpr int kStatisticsPage = 9118;

private:
    HttpReply page(int page, const HttpRequest &request, RouterState &state) const;
    HttpReply login(int page, const HttpRequest &request, RouterState &state) const;
    QString ownUrl(int page, const HttpRequest &request) const;
};
