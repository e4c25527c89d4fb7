#pragma once

#include <vector>

class ChartAxes;

// Window moves of the visible graphs along the bottom axis. The graphs are
// given in order, Chart1 first; Chart1's window decides where a page step
// goes and every graph moves by its own limits. L is the page length and
// plotCount the number of samples plotted so far. A negative L (a minus sign
// typed into the page length field) moves no window.
using GraphAxesList = std::vector<ChartAxes *>;

// Once the first page is full, shows the newest L points with the right
// edge one position past the newest point.
void MoveToNewestPage(const GraphAxesList &graphs, int L, int plotCount);

// "|<": the window [0, L].
void ShowFirstPage(const GraphAxesList &graphs, int L);

// "<": one page back, stopping at 0.
void ShowPreviousPage(const GraphAxesList &graphs, int L);

// ">": one page forward while a whole page lies beyond the window, else
// the newest page; nothing before the first page is full.
void ShowNextPage(const GraphAxesList &graphs, int L, int plotCount);

// The page length changed: every window keeps its minimum and becomes L
// wide. A refusal abandons the remaining graphs.
void ApplyPageLength(const GraphAxesList &graphs, int L);
