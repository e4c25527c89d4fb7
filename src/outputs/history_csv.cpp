#include "outputs/history_csv.h"

#include <QStringList>

#include <array>

namespace {

// The column names of the user figures, in the order of their list.
constexpr std::array<const char *, UserFigureCount - 1> kFigureNames = {
    "output_power",
    "line_attenuation",
    "error_seconds",
    "fec_errors",
    "crc_errors",
    "hec_errors",
};

constexpr std::array<const char *, UserFigureCount - 1> kFigureUnits = { "_dbm", "_db", "", "", "", "" };

QString Number(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

QString HistoryCsvHeader()
{
    QStringList columns = { QStringLiteral("time"), QStringLiteral("noise_margin_up_db"),
        QStringLiteral("noise_margin_down_db"), QStringLiteral("speed_up_kbps"),
        QStringLiteral("speed_down_kbps"), QStringLiteral("uptime_seconds"),
        QStringLiteral("statistics_page") };
    for (std::size_t i = 0; i < kFigureNames.size(); ++i) {
        const QString name = QLatin1String(kFigureNames[i]);
        const QString unit = QLatin1String(kFigureUnits[i]);
        columns << name + QStringLiteral("_up") + unit << name + QStringLiteral("_down") + unit;
    }
    return columns.join(u',');
}

QString HistoryCsvLine(const HistoryRecord &record)
{
    QStringList cells = { record.moment.toUTC().toString(Qt::ISODateWithMs), Number(record.noiseMarginUp),
        Number(record.noiseMarginDown), Number(record.speedUp), Number(record.speedDown),
        record.uptimeSeconds ? QString::number(*record.uptimeSeconds) : QString(),
        record.statisticsPage ? QStringLiteral("1") : QStringLiteral("0") };
    std::array<const HistoryRecord::Figure *, kFigureNames.size()> read {};
    for (const HistoryRecord::Figure &figure : record.figures) {
        const int index = UserFigureIndex(figure.figure);
        if (index >= 0 && index < int(read.size()))
            read[std::size_t(index)] = &figure;
    }
    for (const HistoryRecord::Figure *figure : read) {
        cells << (figure ? Number(figure->up) : QString());
        cells << (figure ? Number(figure->down) : QString());
    }
    return cells.join(u',');
}
