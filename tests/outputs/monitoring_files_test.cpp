#include "base/user_figure.h"
#include "outputs/metrics_text.h"
#include "outputs/published_figures.h"

#include "support/promtool.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

// The Grafana dashboard and the Prometheus alert rules in packaging/ ask
// only for metrics that /metrics publishes, in queries promtool accepts.
namespace {

QByteArray ReadPackaging(const QString &name)
{
    QFile file(QStringLiteral(LINEWARDEN_PACKAGING_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every metric name /metrics publishes, read from the text with every
// family in it: the router answering, each user-defined figure read.
std::set<QString> PublishedNames()
{
    PublishedFigures figures;
    figures.line = PublishedFigures::Line();
    figures.line->uptimeSeconds = 600;
    for (int index = 0; index < UserFigureCount; ++index)
        figures.line->users.push_back({ UserFigureFromIndex(index), 1, 2 });
    figures.samples = 1;
    figures.lastSample = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    figures.sampleIntervalMs = 30000;
    std::set<QString> names;
    for (const QByteArray &line : MetricsText(figures).split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            names.insert(QString::fromUtf8(line.left(line.indexOf(line.contains('{') ? '{' : ' '))));
    return names;
}

// The names of ours a text asks for (every one of them starts so).
std::set<QString> NamesUsed(const QString &text)
{
    static const QRegularExpression name(QStringLiteral("\\blinewarden_[a-z0-9_]+"));
    std::set<QString> names;
    for (const QRegularExpressionMatch &match : name.globalMatch(text))
        names.insert(match.captured());
    return names;
}

std::set<QString> Missing(const std::set<QString> &wanted, const std::set<QString> &have)
{
    std::set<QString> missing;
    for (const QString &name : wanted)
        if (!have.count(name))
            missing.insert(name);
    return missing;
}

QString Joined(const std::set<QString> &names)
{
    return QStringList(names.begin(), names.end()).join(QStringLiteral(", "));
}

// A Grafana query as plain PromQL: Grafana's interval variables become
// durations, and any other variable (the instance picked) a label value.
QString PlainPromQl(QString expr)
{
    static const std::pair<QRegularExpression, QString> kSubstitutions[] = {
        { QRegularExpression(QStringLiteral("\\$(__rate_interval|\\{__rate_interval\\})")),
            QStringLiteral("5m") },
        { QRegularExpression(QStringLiteral("\\$(__interval|\\{__interval\\})")), QStringLiteral("1m") },
        { QRegularExpression(QStringLiteral("\\$(__range|\\{__range\\})")), QStringLiteral("1d") },
        { QRegularExpression(QStringLiteral("\\$(\\w+|\\{\\w+\\})")), QStringLiteral("all") },
    };
    for (const auto &[pattern, value] : kSubstitutions)
        expr.replace(pattern, value);
    return expr.simplified();
}

TEST(MonitoringFilesTest, TheDashboardImportsAndShowsEveryPublishedMetricWithQueriesPromtoolAccepts)
{
    QJsonParseError error;
    const QJsonDocument document
        = QJsonDocument::fromJson(ReadPackaging(QStringLiteral("grafana/linewarden.json")), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject dashboard = document.object();
    EXPECT_GT(dashboard.value(QStringLiteral("schemaVersion")).toInt(), 0);

    // One data source variable, of Prometheus, and every panel and query
    // on it, so the dashboard imports against whichever Prometheus.
    QStringList sources;
    for (const QJsonValue &variable :
        dashboard[QStringLiteral("templating")][QStringLiteral("list")].toArray())
        if (variable[QStringLiteral("type")] == QStringLiteral("datasource"))
            sources << variable[QStringLiteral("query")].toString() + QLatin1Char(' ')
                    + variable[QStringLiteral("name")].toString();
    ASSERT_EQ(sources.size(), 1) << sources.join(QLatin1Char(',')).toStdString();
    ASSERT_TRUE(sources.first().startsWith(QStringLiteral("prometheus "))) << sources.first().toStdString();
    const QString sourceUid
        = QStringLiteral("${") + sources.first().section(QLatin1Char(' '), 1) + QLatin1Char('}');

    QStringList exprs;
    const QJsonArray panels = dashboard[QStringLiteral("panels")].toArray();
    ASSERT_FALSE(panels.isEmpty());
    for (const QJsonValue &panel : panels) {
        const QString title = panel[QStringLiteral("title")].toString();
        EXPECT_EQ(panel[QStringLiteral("datasource")][QStringLiteral("uid")].toString(), sourceUid)
            << title.toStdString();
        const QJsonArray targets = panel[QStringLiteral("targets")].toArray();
        EXPECT_FALSE(targets.isEmpty()) << title.toStdString();
        for (const QJsonValue &target : targets) {
            EXPECT_EQ(target[QStringLiteral("datasource")][QStringLiteral("uid")].toString(), sourceUid)
                << title.toStdString();
            exprs << target[QStringLiteral("expr")].toString();
        }
    }

    // Every query asks only for published metrics, and every published
    // metric but the deprecated one is on a panel.
    const std::set<QString> published = PublishedNames();
    const std::set<QString> used = NamesUsed(exprs.join(QLatin1Char('\n')));
    EXPECT_EQ(Joined(Missing(used, published)), QString()) << "asked for but not published";
    std::set<QString> shown = used;
    shown.insert(QStringLiteral("linewarden_last_load_statistics_page"));
    EXPECT_EQ(Joined(Missing(published, shown)), QString()) << "published but on no panel";
    const std::set<QString> variables = NamesUsed(QString::fromUtf8(
        QJsonDocument(dashboard[QStringLiteral("templating")].toObject()).toJson(QJsonDocument::Compact)));
    EXPECT_EQ(Joined(Missing(variables, published)), QString()) << "asked for by a variable";

    // promtool checks every query, as the expression of a recording rule.
    const QString promtool = FindPromtool();
    if (promtool.isEmpty())
        GTEST_SKIP() << kNoPromtool;
    QByteArray rules = "groups:\n  - name: dashboard\n    rules:\n";
    for (int i = 0; i < exprs.size(); ++i)
        rules += "      - record: dashboard:query_" + QByteArray::number(i) + "\n        expr: '"
            + PlainPromQl(exprs[i]).replace(QLatin1Char('\''), QStringLiteral("''")).toUtf8() + "'\n";
    TempDataDir dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("dashboard.rules.yml"), rules));
    const PromtoolRun check = RunPromtool(promtool,
        { QStringLiteral("check"), QStringLiteral("rules"),
            dir.filePath(QStringLiteral("dashboard.rules.yml")) });
    EXPECT_EQ(check.exitCode, 0) << check.output.constData() << rules.constData();
    EXPECT_TRUE(check.output.contains(QByteArray::number(exprs.size()) + " rules found"))
        << check.output.constData();
}

// The alert rules, and the made-up series of their unit tests, name only
// published metrics: a rule on a name /metrics does not publish would
// never fire, and its test would prove nothing.
TEST(MonitoringFilesTest, TheAlertRulesAndTheirTestsAskOnlyForPublishedMetrics)
{
    const std::set<QString> published = PublishedNames();
    for (const char *file : { "prometheus/linewarden-alerts.yml", "prometheus/linewarden-alerts.test.yml" }) {
        const QString text = QString::fromUtf8(ReadPackaging(QString::fromLatin1(file)));
        ASSERT_FALSE(text.isEmpty()) << file;
        EXPECT_EQ(Joined(Missing(NamesUsed(text), published)), QString()) << file;
    }
}

} // namespace
