// The bytes of the sample log, from the simulated routers' statistics pages
// through the page readers to the file, for both router types, every
// choice of the user-defined figures, several column widths and date
// patterns. The expected bytes were taken once from a known-good build;
// the log files users already hold depend on them staying the same.
#include "sampling/log_format.h"

#include "outputs/sample_log.h"

#include "demo/hub_a_pages.h"
#include "demo/hub_b_pages.h"
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"
#include "sampling/reader_steps.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kBase
    = QStringLiteral("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)");

TEST(LogFormat, HeaderNamesTheChosenFigures)
{
    const UserFigure none = UserFigure::None;
    EXPECT_EQ(LogHeader(none, none), kBase);
    EXPECT_EQ(
        LogHeader(UserFigure::CrcErrors, none), kBase + QStringLiteral(", Up CRC Errors, Down CRC Errors"));
    EXPECT_EQ(LogHeader(none, UserFigure::OutputPower),
        kBase + QStringLiteral(", Up Output Power (dBm), Down Output Power (dBm)"));
}

LineFigures Figures()
{
    LineFigures f;
    f.marginDown = 6.2;
    f.marginUp = 5.9;
    f.speedDown = 15872;
    f.speedUp = 1234;
    f.attenuationDown = 31.5;
    f.attenuationUp = 18.2;
    f.powerDown = 19.8;
    f.powerUp = 12.4;
    f.fecDown = 12345;
    f.fecUp = 67;
    f.crcDown = 678;
    f.crcUp = 3;
    f.hecDown = 9;
    f.hecUp = 1;
    f.errorSecondsLocal = 4;
    f.errorSecondsRemote = 2;
    f.routerUptime = 90061;
    f.lineUptime = 3661;
    return f;
}

enum class Model { TypeA, TypeB };

// A page as served, or with one label gone, so that a figure is missing
// from the line and the reader carries on with the rest.
QString Page(Model model, int damage)
{
    QString page = model == Model::TypeA
        ? HubAStatisticsPage(Figures(), QStringLiteral("/index.cgi?active%5fpage=9118"))
        : HubBStatisticsPage(Figures());
    const QString labels[2][2] = { { QStringLiteral("Upstream:"), QStringLiteral("Noise margin (Down/Up):") },
        { QStringLiteral("DslInfo.UpCurrRate)"), QStringLiteral("DslInfo.DownCurrRate)") } };
    if (damage > 0)
        page.remove(labels[model == Model::TypeA ? 0 : 1][damage - 1]);
    return page;
}

// One page read the way a sample reads it: the line started with the
// moment, then filled in by the reader of the router's type.
QString ReadLine(Model model, const QString &page, const ReaderOptions &options, const QDateTime &moment,
    const QString &dateFormat)
{
    LineSample sample;
    Readouts readouts;
    sample.resetForPageLoad();
    StartLogLine(sample, moment, dateFormat);
    if (model == Model::TypeA)
        BTHomeHub3A(page, options, sample, readouts);
    else
        BTHomeHub3B(page, options, sample, readouts);
    return sample.logLine;
}

const std::pair<UserFigure, UserFigure> kChoices[] = {
    { UserFigure::None, UserFigure::None },
    { UserFigure::CrcErrors, UserFigure::HecErrors },
    { UserFigure::OutputPower, UserFigure::LineAttenuation },
    { UserFigure::ErrorSeconds, UserFigure::FecErrors },
    { UserFigure::HecErrors, UserFigure::None },
    { UserFigure::None, UserFigure::OutputPower },
    { UserFigure::LineAttenuation, UserFigure::LineAttenuation },
};

// One log file per router type, page damage, column width and date pattern;
// each choice of figures writes a line after a changed header.
QByteArray AllLogFiles(const TempDataDir &dir)
{
    const QDateTime moment(QDate(2026, 12, 9), QTime(10, 11, 12));
    const QString patterns[]
        = { QStringLiteral("ddd dd mmm yyyy  hh:mm:ss"), QStringLiteral("dd/mm/yyyy hh:nn") };
    QByteArray all;
    int n = 0;
    for (const Model model : { Model::TypeA, Model::TypeB })
        for (const int damage : { 0, 1, 2 })
            for (const int tab : { 0, 8, 12 })
                for (const QString &pattern : patterns) {
                    const QString path = dir.filePath(QStringLiteral("log%1.txt").arg(n++));
                    SampleLog log;
                    for (const auto &[user1, user2] : kChoices) {
                        ReaderOptions options;
                        options.user1 = user1;
                        options.user2 = user2;
                        options.logTab = tab;
                        options.locale = QLocale::c();
                        log.setHeader(LogHeader(user1, user2));
                        log.setHeaderPending(true);
                        const QString line = ReadLine(model, Page(model, damage), options, moment, pattern);
                        EXPECT_TRUE(log.writeLine(path, line));
                        // The line once more, without a header.
                        EXPECT_TRUE(log.writeLine(path, line));
                    }
                    QFile file(path);
                    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
                    all += file.readAll() + "====\n";
                }
    return all;
}

TEST(LogFormat, HeadersOfEveryChoiceOfFigures)
{
    QByteArray all;
    for (int first = 0; first < UserFigureCount; ++first)
        for (int second = 0; second < UserFigureCount; ++second)
            all += LogHeader(UserFigureFromIndex(first), UserFigureFromIndex(second)).toUtf8() + '\n';
    EXPECT_EQ(QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex().toStdString(),
        std::string("c86d214a984f4fc6c82120f699554c36325be177847ab5864e7869cba7cc01ac"))
        << all.toStdString();
}

TEST(LogFormat, LogFilesFromBothRouterTypesStayByteForByte)
{
    TempDataDir dir;
    const QByteArray all = AllLogFiles(dir);
    EXPECT_EQ(QCryptographicHash::hash(all, QCryptographicHash::Sha256).toHex().toStdString(),
        std::string("5c8c0e7ad787be619a62d328be196137bc54d6c635ed55d3bb8a4a07aaaa38a7"))
        << all.toStdString();
}

} // namespace
