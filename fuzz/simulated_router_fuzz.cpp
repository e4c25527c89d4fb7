// Any request to the simulated router of either model: it must answer every
// one (no crash, a status the HTTP server can send) and stay usable. The
// input is lines: method, path, query, form fields, cookies.
#include "demo/hub_a_site.h"
#include "demo/hub_b_site.h"
#include "demo/router_state.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

QList<HttpRequest::Field> Fields(const QString &text, QChar separator)
{
    QList<HttpRequest::Field> fields;
    for (const QString &part : text.split(separator, Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        fields.append(equals < 0 ? HttpRequest::Field(part, QString())
                                 : HttpRequest::Field(part.left(equals), part.mid(equals + 1)));
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool typeA = input.ConsumeBool();
    const bool typeBLogin = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QStringList lines = QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).split(u'\n');

    HttpRequest request;
    request.method = lines.value(0).toUtf8();
    request.path = lines.value(1);
    request.path.remove(QChar(0)); // the server never hands a NUL on
    request.query = Fields(lines.value(2), u'&');
    request.form = Fields(lines.value(3), u'&');
    request.cookies = Fields(lines.value(4), u';');

    // One router for the whole run, as a running demo has: sessions and
    // figures carry over from request to request.
    static RouterState state(1, QStringLiteral("admin"));
    static HubASite siteA;
    static HubBSite siteB(false);
    static HubBSite siteBLogin(true);
    HubSite &site = typeA ? static_cast<HubSite &>(siteA) : typeBLogin ? siteBLogin : siteB;
    site.isStatisticsRequest(request);
    const HttpReply reply = site.answer(request, state);
    if (reply.status < 100 || reply.status > 599)
        std::abort();
    return 0;
}
