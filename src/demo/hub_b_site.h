#pragma once

#include "demo/hub_site.h"

// The pages of a Type B router: a home page, a login page, a settings page
// behind the password and the statistics page at a fixed path, which asks
// for the password only when the router is told to.
class HubBSite final : public HubSite {
public:
    explicit HubBSite(bool statisticsAskLogin);

    QString statisticsPath() const override;
    bool isStatisticsRequest(const HttpRequest &request) const override;
    HttpReply answer(const HttpRequest &request, RouterState &state) override;

private:
    HttpReply login(const HttpRequest &request, RouterState &state) const;

    bool m_statisticsAskLogin = false;
};
