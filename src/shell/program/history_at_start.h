#pragma once

#include "sampling/history_record.h"

#include <functional>
#include <vector>

class GraphModel;
class LineMonitor;

// The stored samples of the last 24 hours, oldest first.
std::vector<HistoryRecord> LastDayOfHistory(LineMonitor &monitor);

// Fills the graphs with the stored samples before sampling starts: plotted
// as they were taken, the graphs on the newest page, this run's start marked.
void FillGraphsFromHistory(GraphModel &graphs, const std::vector<HistoryRecord> &lastDay);

// Where the stored samples come from: the history, or a stand-in.
using HistorySource = std::function<std::vector<HistoryRecord>(LineMonitor &)>;

// At start-up, once the settings are applied and the graphs started, before
// the first navigation: with "Show the last day from history when starting"
// on, the graphs begin with the last day of the history. Off, the history is
// not read at all.
void ShowLastDayAtStartUp(LineMonitor &monitor, const HistorySource &lastDay = LastDayOfHistory);
