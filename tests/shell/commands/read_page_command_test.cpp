#include "shell/commands/read_page_command.h"

#include "support/fake_clock.h"
#include "support/fixture_pages.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

std::optional<CommandLine> Parse(const QStringList &arguments)
{
    QString error;
    return ParseCommandLine(arguments, error);
}

TEST(CommandLine, ReadPageOptionsAndDefaults)
{
    const auto line = Parse({ QStringLiteral("--read-page"), QStringLiteral("p.html"),
        QStringLiteral("--type"), QStringLiteral("b"), QStringLiteral("--user1"), QStringLiteral("0"),
        QStringLiteral("--at"), QStringLiteral("2026-12-09T10:11:12") });
    ASSERT_TRUE(line);
    EXPECT_EQ(line->mode, CommandLine::Mode::ReadPage);
    EXPECT_EQ(line->readPage.type, u'B');
    EXPECT_EQ(line->readPage.user1, 0);
    EXPECT_EQ(line->readPage.user2, 5);
    EXPECT_EQ(line->readPage.logTab, 8);
    EXPECT_EQ(line->readPage.at, QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)));

    const auto demo
        = Parse({ QStringLiteral("--demo"), QStringLiteral("--data-dir"), QStringLiteral("/tmp/x") });
    ASSERT_TRUE(demo);
    EXPECT_EQ(demo->mode, CommandLine::Mode::Demo);
    EXPECT_EQ(demo->hubType, u'A');
    EXPECT_EQ(demo->dataDir, QStringLiteral("/tmp/x"));
    EXPECT_EQ(demo->sampleSeconds, 0);
    const auto fast = Parse(
        { QStringLiteral("--demo"), QStringLiteral("B"), QStringLiteral("--sample"), QStringLiteral("1") });
    ASSERT_TRUE(fast);
    EXPECT_EQ(fast->hubType, u'B');
    EXPECT_EQ(fast->sampleSeconds, 1);
    EXPECT_FALSE(fast->headless);

    const auto headless
        = Parse({ QStringLiteral("--headless"), QStringLiteral("--data-dir"), QStringLiteral("/srv/lw") });
    ASSERT_TRUE(headless);
    EXPECT_EQ(headless->mode, CommandLine::Mode::Desktop);
    EXPECT_TRUE(headless->headless);
    const auto headlessDemo = Parse({ QStringLiteral("--demo"), QStringLiteral("B"),
        QStringLiteral("--headless"), QStringLiteral("--sample"), QStringLiteral("2") });
    ASSERT_TRUE(headlessDemo);
    EXPECT_EQ(headlessDemo->mode, CommandLine::Mode::Demo);
    EXPECT_TRUE(headlessDemo->headless);
    EXPECT_EQ(headlessDemo->sampleSeconds, 2);

    const auto hub = Parse({ QStringLiteral("--simulate-hub"), QStringLiteral("B"), QStringLiteral("--port"),
        QStringLiteral("8080") });
    ASSERT_TRUE(hub);
    EXPECT_EQ(hub->hubType, u'B');
    EXPECT_EQ(hub->port, 8080);
}

TEST(CommandLine, BadArgumentsAreRefusedWithAMessage)
{
    const QList<QStringList> bad = {
        { QStringLiteral("--read-page"), QStringLiteral("p.html") },
        { QStringLiteral("--read-page"), QStringLiteral("p.html"), QStringLiteral("--type"),
            QStringLiteral("C") },
        { QStringLiteral("--read-page"), QStringLiteral("p.html"), QStringLiteral("--type"),
            QStringLiteral("A"), QStringLiteral("--user1"), QStringLiteral("7") },
        { QStringLiteral("--read-page"), QStringLiteral("p.html"), QStringLiteral("--type"),
            QStringLiteral("A"), QStringLiteral("--at"), QStringLiteral("yesterday") },
        { QStringLiteral("--read-page") },
        { QStringLiteral("--simulate-hub") },
        { QStringLiteral("--port"), QStringLiteral("80") },
        { QStringLiteral("--user1"), QStringLiteral("2") },
        { QStringLiteral("--frobnicate") },
        { QStringLiteral("--demo"), QStringLiteral("--sample"), QStringLiteral("0") },
        { QStringLiteral("--sample"), QStringLiteral("5") },
        { QStringLiteral("--headless"), QStringLiteral("--sample"), QStringLiteral("5") },
        { QStringLiteral("--headless"), QStringLiteral("--simulate-hub"), QStringLiteral("A") },
        { QStringLiteral("--read-page"), QStringLiteral("p.html"), QStringLiteral("--type"),
            QStringLiteral("A"), QStringLiteral("--headless") },
    };
    for (const QStringList &arguments : bad) {
        QString error;
        EXPECT_FALSE(ParseCommandLine(arguments, error)) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(error.contains(u'\n'));
    }
}

TEST(ReadPage, PrintsTheSampleWithExactlyTheDocumentedKeys)
{
    ReadPageRequest request;
    request.type = u'A';
    const QJsonObject json = ReadPageAsJson(FixturePage(QStringLiteral("hub-a-statistics.html")), request,
        QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)));
    const QStringList keys = {
        QStringLiteral("logLine"),
        QStringLiteral("noiseMarginDown"),
        QStringLiteral("noiseMarginUp"),
        QStringLiteral("pageRead"),
        QStringLiteral("readouts"),
        QStringLiteral("speedDown"),
        QStringLiteral("speedDownText"),
        QStringLiteral("speedUp"),
        QStringLiteral("speedUpText"),
        QStringLiteral("uptimeText"),
        QStringLiteral("user1Down"),
        QStringLiteral("user1Up"),
        QStringLiteral("user2Down"),
        QStringLiteral("user2Up"),
    };
    EXPECT_EQ(json.keys(), keys);
    EXPECT_EQ(json.value(QStringLiteral("readouts")).toObject().keys(),
        (QStringList { QStringLiteral("Label15"), QStringLiteral("Label20"), QStringLiteral("Label22"),
            QStringLiteral("Label23"), QStringLiteral("Label25") }));
    EXPECT_EQ(json.value(QStringLiteral("logLine")).toString(),
        QStringLiteral("Wed 09 Dec 2026  10:11:12,      5.8,     6.2,    1250,    7616,       4,      37,"
                       "       2,      21"));
    EXPECT_EQ(json.value(QStringLiteral("user1Up")).toDouble(), 4);
}

TEST(ReadPage, ATypeAPageOtherThanTheStatisticsPageIsNotRead)
{
    ReadPageRequest request;
    request.type = u'A';
    request.logDateFormat = QStringLiteral("hh:nn");
    const QJsonObject json = ReadPageAsJson(u"<p>Upstream:</td><td>1000 Kbps</td></p>", request,
        QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)));
    EXPECT_FALSE(json.value(QStringLiteral("pageRead")).toBool());
    EXPECT_EQ(json.value(QStringLiteral("speedUp")).toDouble(), 0);
    EXPECT_EQ(json.value(QStringLiteral("logLine")).toString(), QStringLiteral("10:11, "));
}

TEST(ReadPage, UnreadableFilesExitWithStatusTwo)
{
    TempDataDir dir;
    FakeClock clock;
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    ReadPageRequest request;
    request.type = u'B';

    request.file = dir.filePath(QStringLiteral("missing.html"));
    EXPECT_EQ(RunReadPage(request, clock, out, err), 2);
    request.file = dir.path();
    EXPECT_EQ(RunReadPage(request, clock, out, err), 2);
    EXPECT_TRUE(outText.isEmpty());
    EXPECT_EQ(errText.count(u'\n'), 2);

    // Invalid UTF-8 and binary junk still give a JSON answer.
    ASSERT_TRUE(dir.writeFile(QStringLiteral("junk.html"),
        QByteArray("\xff\xfe\x00\x80"
                   "DslInfo.NoiseMargin)>\xc3",
            26)));
    request.file = dir.filePath(QStringLiteral("junk.html"));
    EXPECT_EQ(RunReadPage(request, clock, out, err), 0);
    EXPECT_TRUE(QJsonDocument::fromJson(outText.toUtf8()).isObject());
}

} // namespace
