#include "graphs/paging.h"
#include "graphs/plain_chart_axes.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

namespace {

using Window = std::pair<double, double>;

class Paging : public ::testing::Test {
protected:
    Paging()
    {
        for (auto &graph : m_graphs)
            SetRangeSafely(graph, ChartAxis::Bottom, 0, 480);
    }

    GraphAxesList graphs()
    {
        GraphAxesList list;
        for (auto &graph : m_graphs)
            list.push_back(&graph);
        return list;
    }

    std::pair<double, double> window(size_t graph = 0) const
    {
        return { m_graphs[graph].minimum(ChartAxis::Bottom), m_graphs[graph].maximum(ChartAxis::Bottom) };
    }

    std::array<PlainChartAxes, 4> m_graphs;
};

// From a window put elsewhere by paging or dragging, the newest page comes
// only once the points exceed a page; ">" steps a page while a whole page
// lies beyond the window, and otherwise goes to the newest page too.
TEST_F(Paging, TheNewestPageComesOnlyOnceThePointsExceedAPage)
{
    const struct {
        int plotCount;
        Window newest, next;
    } cases[] = {
        { 479, { 100, 580 }, { 100, 580 } },
        { 480, { 100, 580 }, { 100, 580 } },
        { 481, { 1, 481 }, { 1, 481 } },
        { 1060, { 580, 1060 }, { 580, 1060 } },
        { 1061, { 581, 1061 }, { 580, 1060 } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.plotCount);
        for (auto &graph : m_graphs)
            SetRangeSafely(graph, ChartAxis::Bottom, 100, 580);
        MoveToNewestPage(graphs(), 480, c.plotCount);
        EXPECT_EQ(window(), c.newest);
        EXPECT_EQ(window(3), c.newest);
        for (auto &graph : m_graphs)
            SetRangeSafely(graph, ChartAxis::Bottom, 100, 580);
        ShowNextPage(graphs(), 480, c.plotCount);
        EXPECT_EQ(window(), c.next);
        EXPECT_EQ(window(3), c.next);
    }
}

TEST_F(Paging, ForwardStepsAWholePageThenStopsAtTheNewestPage)
{
    ShowNextPage(graphs(), 480, 1000);
    EXPECT_EQ(window(), Window(480, 960));
    ShowNextPage(graphs(), 480, 1000);
    EXPECT_EQ(window(), Window(520, 1000));
    EXPECT_EQ(window(2), Window(520, 1000));
}

TEST_F(Paging, BackStepsAWholePageThenStopsAtZero)
{
    MoveToNewestPage(graphs(), 480, 1000);
    ShowPreviousPage(graphs(), 480);
    EXPECT_EQ(window(), Window(40, 520));
    ShowPreviousPage(graphs(), 480);
    EXPECT_EQ(window(), Window(0, 480));
    EXPECT_EQ(window(1), Window(0, 480));
}

TEST_F(Paging, FirstPageAndForwardBeforeTheFirstPageIsFull)
{
    MoveToNewestPage(graphs(), 480, 1000);
    ShowFirstPage(graphs(), 480);
    EXPECT_EQ(window(), Window(0, 480));
    ShowNextPage(graphs(), 480, 300);
    EXPECT_EQ(window(), Window(0, 480));
}

TEST_F(Paging, PageLengthKeepsEachMinimumAndANegativeLengthMovesNothing)
{
    MoveToNewestPage(graphs(), 480, 1000);
    ApplyPageLength(graphs(), 100);
    EXPECT_EQ(window(), Window(520, 620));
    ApplyPageLength(graphs(), -5);
    MoveToNewestPage(graphs(), -5, 1000);
    ShowPreviousPage(graphs(), -5);
    ShowFirstPage(graphs(), -5);
    EXPECT_EQ(window(), Window(520, 620));
}

TEST_F(Paging, AGraphDraggedPastTheNewestPointIsStillBroughtBack)
{
    SetRangeSafely(m_graphs[2], ChartAxis::Bottom, 2000, 2480);
    MoveToNewestPage(graphs(), 480, 1000);
    EXPECT_EQ(window(2), Window(520, 1000));
}

} // namespace
