#pragma once

#include "http/http_reply.h"
#include "http/http_request.h"

#include <QString>

class RouterState;

// The web pages of one router model.
class HubSite {
public:
    virtual ~HubSite() = default;

    // Path and query of the statistics page as the router links to it.
    virtual QString statisticsPath() const = 0;

    // Whether the request asks for the statistics page, logged in or not
    // (the router's faults strike there).
    virtual bool isStatisticsRequest(const HttpRequest &request) const = 0;

    virtual HttpReply answer(const HttpRequest &request, RouterState &state) = 0;
};
