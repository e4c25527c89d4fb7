#include "outputs/web_image_server.h"

#include "support/raw_http_client.h"
#include "support/temp_data_dir.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

quint16 FreePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

// The value Prometheus holds now for a query, or an empty text.
QString QueryValue(quint16 port, const QByteArray &query)
{
    const RawHttpReply reply = RawHttpClient::get(port, "/api/v1/query?query=" + query.toPercentEncoding());
    if (reply.status != 200)
        return {};
    const QJsonArray result = QJsonDocument::fromJson(reply.body)
                                  .object()
                                  .value(QStringLiteral("data"))
                                  .toObject()
                                  .value(QStringLiteral("result"))
                                  .toArray();
    return result.isEmpty()
        ? QString()
        : result.first().toObject().value(QStringLiteral("value")).toArray().at(1).toString();
}

// A real Prometheus server scrapes /metrics and answers a query with the
// noise margin the program published; once the router stops answering,
// Prometheus holds no noise margin at all, rather than the last one or 0.
TEST(PrometheusScrapeTest, PrometheusReadsTheNoiseMarginBackAndNoneFromASilentRouter)
{
    const QString prometheus = QStandardPaths::findExecutable(QStringLiteral("prometheus"));
    if (prometheus.isEmpty())
        GTEST_SKIP()
            << "prometheus is not installed (Debian package prometheus; scripts/bootstrap.sh installs it)";

    TempDataDir data;
    WebImageServer server(MimeTypeTable::Source::BuiltIn);
    ASSERT_TRUE(server.start(data.path(), QStringLiteral("127.0.0.1"), QStringLiteral("0")));
    server.setMetrics(true);
    server.figures().update([](PublishedFigures &figures) {
        figures.line = PublishedFigures::Line();
        figures.line->noiseMarginDown = 6.5;
        figures.line->noiseMarginUp = 5.25;
        figures.samples = 3;
    });

    const quint16 queryPort = FreePort();
    ASSERT_NE(queryPort, 0);
    ASSERT_TRUE(data.writeFile(QStringLiteral("prometheus.yml"),
        "global:\n"
        "  scrape_interval: 1s\n"
        "  scrape_timeout: 1s\n"
        "scrape_configs:\n"
        "  - job_name: linewarden\n"
        "    static_configs:\n"
        "      - targets: ['127.0.0.1:"
            + QByteArray::number(server.status().port) + "']\n"));

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(prometheus,
        { QStringLiteral("--config.file=") + data.filePath(QStringLiteral("prometheus.yml")),
            QStringLiteral("--storage.tsdb.path=") + data.filePath(QStringLiteral("tsdb")),
            QStringLiteral("--web.listen-address=127.0.0.1:") + QString::number(queryPort),
            QStringLiteral("--log.level=warn") });
    ASSERT_TRUE(process.waitForStarted(10000));

    const QDeadlineTimer deadline(60000);
    // The value of a query once it is the one wanted, or at the deadline.
    const auto await = [&](const QByteArray &query, const QString &wanted) {
        QString value;
        while (value != wanted && !deadline.hasExpired() && process.state() == QProcess::Running) {
            QThread::msleep(500);
            value = QueryValue(queryPort, query);
        }
        return value;
    };
    const QByteArray margin = "linewarden_noise_margin_db{direction=\"downstream\"}";
    const QString answered = await(margin, QStringLiteral("6.5"));
    server.figures().update([](PublishedFigures &figures) { figures.line.reset(); });
    const QString silent = await("linewarden_router_answering", QStringLiteral("0"));
    // The scrape that told the router is silent marked the margin stale.
    const QString marginWhenSilent = QueryValue(queryPort, margin);

    const bool ran = process.state() == QProcess::Running;
    process.terminate();
    if (!process.waitForFinished(15000))
        process.kill();
    process.waitForFinished(5000);
    const QByteArray said = process.readAll();
    EXPECT_TRUE(ran) << said.constData();
    EXPECT_EQ(answered, QStringLiteral("6.5")) << said.constData();
    EXPECT_EQ(silent, QStringLiteral("0")) << said.constData();
    EXPECT_EQ(marginWhenSilent, QString()) << said.constData();
}

} // namespace
