// Any bytes as the events file, as the Line Events window and the counts
// read it: reading never crashes and keeps at most the events asked for;
// the events read, written back as the program writes them, read back as
// the same events.
#include "outputs/line_events_log.h"

#include "work_file.h"

#include <QFile>

#include <cstdlib>

namespace {

bool SameFigures(const LineEventFigures &a, const LineEventFigures &b)
{
    // NaN figures read from the file stay NaN, which no == holds for.
    const auto same = [](double x, double y) { return x == y || (x != x && y != y); };
    return same(a.noiseMarginUp, b.noiseMarginUp) && same(a.noiseMarginDown, b.noiseMarginDown)
        && same(a.speedUp, b.speedUp) && same(a.speedDown, b.speedDown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = WorkFile("events.txt");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    constexpr std::size_t Most = 50;
    const std::vector<LineEvent> events = ReadLineEvents(path, Most);
    if (events.size() > Most)
        std::abort();

    // Written as the program writes them, once to settle the figures' texts,
    // then again: the second reading must equal the first.
    const QString copy = WorkFile("events-copy.txt");
    const auto rewrite = [&copy](const std::vector<LineEvent> &from) {
        QFile::remove(copy);
        for (const LineEvent &event : from) {
            if (!AppendLineEvent(copy, LineEventLine(event, QStringLiteral("dd/MM/yyyy hh:mm:ss"), 8)))
                std::abort();
        }
        return ReadLineEvents(copy, Most);
    };
    const std::vector<LineEvent> settled = rewrite(events);
    const std::vector<LineEvent> again = rewrite(settled);
    if (settled.size() != events.size() || again.size() != settled.size())
        std::abort();
    for (std::size_t i = 0; i < again.size(); ++i) {
        if (again[i].kind != settled[i].kind || again[i].moment != settled[i].moment
            || !SameFigures(again[i].before, settled[i].before)
            || !SameFigures(again[i].after, settled[i].after))
            std::abort();
    }
    CountLineEvents(events, QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    return 0;
}
