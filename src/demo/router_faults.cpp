#include "demo/router_faults.h"

#include "demo/huge_page.h"

#include <memory>
#include <random>

namespace {

HttpReply JunkReply(quint32 seed)
{
    std::mt19937 random(seed);
    QByteArray junk(kJunkSize, Qt::Uninitialized);
    for (char &byte : junk)
        byte = char(random() & 0xff);
    return HttpReply::bytes(200, QByteArrayLiteral("text/html"), junk);
}

HttpReply NoBodyReply()
{
    // An XML document is not given a body the way an HTML one always is.
    return HttpReply::bytes(200, QByteArrayLiteral("application/xhtml+xml"),
        QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>"
                          "<title>Home Hub Manager</title></head></html>\n"));
}

HttpReply HugePageReply(quint64 size)
{
    const auto page = std::make_shared<const HugePage>(size);
    return HttpReply::streamed(
        page->size(), QByteArrayLiteral("text/html"), [page](quint64 offset, char *buffer, qint64 maxBytes) {
            return page->fill(offset, buffer, maxBytes);
        });
}

QByteArray PageStart()
{
    return QByteArrayLiteral("<!DOCTYPE html>\n<html><head><title>Home Hub Manager</title></head><body>\n");
}

HttpReply ManyLinksReply()
{
    QByteArray page = PageStart();
    page.reserve(kManyLinks * 40);
    for (int i = 0; i < kManyLinks; ++i)
        page += "<a href=\"/index.cgi?link=" + QByteArray::number(i) + "\">" + QByteArray::number(i)
            + "</a>\n";
    return HttpReply::bytes(200, QByteArrayLiteral("text/html"), page + "</body></html>\n");
}

HttpReply DeepNestingReply()
{
    return HttpReply::bytes(200, QByteArrayLiteral("text/html"),
        PageStart() + QByteArray("<div><span>").repeated(kNestingDepth / 2) + "ADSL Settings"
            + QByteArray("</span></div>").repeated(kNestingDepth / 2) + "</body></html>\n");
}

HttpReply ScriptReply(const QByteArray &script)
{
    return HttpReply::bytes(200, QByteArrayLiteral("text/html"),
        PageStart() + "<p>Please wait</p><script>" + script + "</script></body></html>\n");
}

} // namespace

HttpReply FaultReply(SimulatedRouter::Fault fault, quint32 seed, quint64 hugePageBytes)
{
    switch (fault) {
    case SimulatedRouter::Fault::NeverFinish:
        return HttpReply::neverFinish(QByteArrayLiteral("text/html"),
            QByteArrayLiteral("<!DOCTYPE html>\n<html><head><title>Home Hub Manager</title>"
                              "</head><body>\n<p>Please wait"));
    case SimulatedRouter::Fault::HugePage:
        return HugePageReply(hugePageBytes);
    case SimulatedRouter::Fault::NoBody:
        return NoBodyReply();
    case SimulatedRouter::Fault::JunkBytes:
        return JunkReply(seed);
    case SimulatedRouter::Fault::ManyLinks:
        return ManyLinksReply();
    case SimulatedRouter::Fault::DeepNesting:
        return DeepNestingReply();
    case SimulatedRouter::Fault::ScriptLoop:
        return ScriptReply(QByteArrayLiteral("for (;;) {}"));
    case SimulatedRouter::Fault::Dialogs:
        return ScriptReply(QByteArrayLiteral("alert('a'); confirm('b'); prompt('c');"
                                             "setInterval(function () { alert('again'); }, 10);"));
    case SimulatedRouter::Fault::CloseConnection:
    case SimulatedRouter::Fault::None:
        break;
    }
    return HttpReply::closeWithoutReply();
}
