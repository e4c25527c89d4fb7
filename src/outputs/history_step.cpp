#include "outputs/history_step.h"

#include "outputs/history_store.h"

HistoryRecord HistoryRecordOf(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    HistoryRecord record;
    record.moment = load.moment.toUTC();
    record.noiseMarginUp = sample.noiseMarginUp;
    record.noiseMarginDown = sample.noiseMarginDown;
    record.speedUp = sample.speedUp;
    record.speedDown = sample.speedDown;
    record.uptimeSeconds = load.uptimeSeconds;
    record.statisticsPage = load.statisticsPage;
    if (load.user1 != UserFigure::None)
        record.figures.push_back({ load.user1, sample.user1Up, sample.user1Down });
    if (load.user2 != UserFigure::None && load.user2 != load.user1)
        record.figures.push_back({ load.user2, sample.user2Up, sample.user2Down });
    return record;
}

void HistoryStep::sampleTaken(const PageLoad &load)
{
    if (HistoryStore *store = m_store())
        store->append(HistoryRecordOf(load));
}
