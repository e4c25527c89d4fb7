#include "shell/commands/command_line.h"

namespace {

// Walks the arguments, handing out option values.
class ArgumentReader {
public:
    explicit ArgumentReader(const QStringList &arguments) : m_arguments(arguments) { }

    bool atEnd() const { return m_index >= m_arguments.size(); }
    QString next() { return m_arguments.at(m_index++); }
    bool peekIsValue() const { return !atEnd() && !m_arguments.at(m_index).startsWith(u"--"); }

    bool value(const QString &option, QString &out, QString &error)
    {
        if (atEnd()) {
            error = QStringLiteral("option %1 needs a value").arg(option);
            return false;
        }
        out = next();
        return true;
    }

    bool integer(const QString &option, int low, int high, int &out, QString &error)
    {
        QString text;
        if (!value(option, text, error))
            return false;
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < low || n > high) {
            error = QStringLiteral("option %1 takes a whole number from %2 to %3, not \"%4\"")
                        .arg(option)
                        .arg(low)
                        .arg(high)
                        .arg(text);
            return false;
        }
        out = n;
        return true;
    }

private:
    const QStringList &m_arguments;
    qsizetype m_index = 0;
};

bool ParseHubType(const QString &text, QChar &type, QString &error)
{
    if (text.compare(u"A", Qt::CaseInsensitive) == 0 || text.compare(u"B", Qt::CaseInsensitive) == 0) {
        type = text.at(0).toUpper();
        return true;
    }
    error = QStringLiteral("the router type is A or B, not \"%1\"").arg(text);
    return false;
}

bool ParseMoment(const QString &text, std::optional<QDateTime> &at, QString &error)
{
    const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!moment.isValid()) {
        error = QStringLiteral("option --at takes YYYY-MM-DDTHH:MM:SS, not \"%1\"").arg(text);
        return false;
    }
    at = moment;
    return true;
}

bool ParseExportMoment(
    const QString &option, const QString &text, bool endOfDay, QDateTime &moment, QString &error)
{
    moment = ParseIsoMoment(text, endOfDay);
    if (moment.isValid())
        return true;
    error = QStringLiteral("option %1 takes an ISO 8601 date or date and time (2026-12-09 or "
                           "2026-12-09T10:11:12Z), not \"%2\"")
                .arg(option, text);
    return false;
}

} // namespace

QDateTime ParseIsoMoment(const QString &text, bool endOfDay)
{
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid() && text.size() == 10)
        return endOfDay ? day.endOfDay() : day.startOfDay();
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

std::optional<CommandLine> ParseCommandLine(const QStringList &arguments, QString &error)
{
    CommandLine line;
    ArgumentReader args(arguments);
    bool typeGiven = false;
    bool readPageOption = false;
    bool exportOption = false;
    while (!args.atEnd()) {
        const QString option = args.next();
        bool ok = true;
        QString text;
        if (option == u"--data-dir") {
            ok = args.value(option, line.dataDir, error);
        } else if (option == u"--headless") {
            line.headless = true;
        } else if (option == u"--demo") {
            line.mode = CommandLine::Mode::Demo;
            if (args.peekIsValue())
                ok = ParseHubType(args.next(), line.hubType, error);
        } else if (option == u"--simulate-hub") {
            line.mode = CommandLine::Mode::SimulateHub;
            ok = args.value(option, text, error) && ParseHubType(text, line.hubType, error);
        } else if (option == u"--port") {
            int port = 0;
            ok = args.integer(option, 1, 65535, port, error);
            line.port = static_cast<quint16>(port);
        } else if (option == u"--sample") {
            ok = args.integer(option, 1, 86400, line.sampleSeconds, error);
        } else if (option == u"--read-page") {
            line.mode = CommandLine::Mode::ReadPage;
            ok = args.value(option, line.readPage.file, error);
        } else if (option == u"--type") {
            typeGiven = true;
            ok = args.value(option, text, error) && ParseHubType(text, line.readPage.type, error);
        } else if (option == u"--user1" || option == u"--user2") {
            readPageOption = true;
            ok = args.integer(
                option, 0, 6, option == u"--user1" ? line.readPage.user1 : line.readPage.user2, error);
        } else if (option == u"--log-tab") {
            readPageOption = true;
            ok = args.integer(option, 0, 1000, line.readPage.logTab, error);
        } else if (option == u"--log-date-format") {
            readPageOption = true;
            ok = args.value(option, line.readPage.logDateFormat, error);
        } else if (option == u"--at") {
            readPageOption = true;
            ok = args.value(option, text, error) && ParseMoment(text, line.readPage.at, error);
        } else if (option == u"--url") {
            readPageOption = true;
            ok = args.value(option, line.readPage.url, error);
        } else if (option == u"--export-history") {
            line.mode = CommandLine::Mode::ExportHistory;
            ok = args.value(option, line.exportHistory.file, error);
        } else if (option == u"--from" || option == u"--to") {
            exportOption = true;
            const bool to = option == u"--to";
            ok = args.value(option, text, error)
                && ParseExportMoment(
                    option, text, to, to ? line.exportHistory.to : line.exportHistory.from, error);
        } else if (option == u"--help" || option == u"-h") {
            line.mode = CommandLine::Mode::Help;
        } else {
            error = QStringLiteral("unknown argument \"%1\" (try --help)").arg(option);
            ok = false;
        }
        if (!ok)
            return std::nullopt;
    }
    if (line.mode == CommandLine::Mode::ReadPage && !typeGiven) {
        error = QStringLiteral("--read-page needs --type A or --type B");
        return std::nullopt;
    }
    if (line.mode != CommandLine::Mode::ReadPage && (typeGiven || readPageOption)) {
        error = QStringLiteral("--type, --user1, --user2, --log-tab, --log-date-format, --at and --url "
                               "go with --read-page");
        return std::nullopt;
    }
    if (line.mode != CommandLine::Mode::ExportHistory && exportOption) {
        error = QStringLiteral("--from and --to go with --export-history");
        return std::nullopt;
    }
    if (line.sampleSeconds != 0 && line.mode != CommandLine::Mode::Demo) {
        error = QStringLiteral("--sample goes with --demo");
        return std::nullopt;
    }
    if (line.headless
        && (line.mode == CommandLine::Mode::SimulateHub || line.mode == CommandLine::Mode::ReadPage
            || line.mode == CommandLine::Mode::ExportHistory)) {
        error = QStringLiteral("--headless goes with --data-dir or --demo");
        return std::nullopt;
    }
    if (line.port != 0 && line.mode != CommandLine::Mode::SimulateHub) {
        error = QStringLiteral("--port goes with --simulate-hub");
        return std::nullopt;
    }
    return line;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  linewarden [--data-dir DIR]              the desktop program\n"
        "  linewarden --demo [A|B] [--sample S]     the desktop program against a simulated router,\n"
        "                                           sampling every S seconds (1 or more)\n"
        "  linewarden --headless [--data-dir DIR]   sampling, log, captures and web server without\n"
        "                                           windows, from the desktop program's settings\n"
        "  linewarden --headless --demo [A|B] [--sample S]\n"
        "                                           the same against a simulated router\n"
        "  linewarden --simulate-hub A|B [--port N] only the simulated router, on 127.0.0.1\n"
        "  linewarden --read-page FILE --type A|B [--user1 N] [--user2 N] [--log-tab N]\n"
        "             [--log-date-format P] [--at YYYY-MM-DDTHH:MM:SS] [--url URL]\n"
        "                                           read a saved statistics page, print JSON\n"
        "  linewarden --export-history FILE [--from ISO] [--to ISO] [--data-dir DIR]\n"
        "                                           write the stored samples to FILE as CSV\n"
        "\n"
        "One program per data folder: a second desktop start brings the running window to the\n"
        "front and exits 0; a start that finds the folder held otherwise names the holder and\n"
        "exits with status 3.\n");
}
