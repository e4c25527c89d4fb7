#pragma once

#include "sampling/history_record.h"
#include "sampling/sample_pipeline.h"

#include <functional>

class HistoryStore;

// The sample as the history keeps it: the load's moment in UTC, margins,
// speeds, uptime, whether it was the statistics page, and each user figure
// the load was read for (none twice).
HistoryRecord HistoryRecordOf(const PageLoad &load);

// The history step: every sample goes into the history, whether or not it
// is logged. The store is asked for at each sample, as the history may be
// closed or opened again meanwhile; nothing is kept while there is none.
class HistoryStep final : public SampleStep {
public:
    explicit HistoryStep(std::function<HistoryStore *()> store) : m_store(std::move(store)) { }

    void sampleTaken(const PageLoad &load) override;

private:
    std::function<HistoryStore *()> m_store;
};
