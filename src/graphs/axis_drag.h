#pragma once

#include "graphs/chart_axes.h"

// The state of one mouse drag on a graph, from the press to the release:
// the pressed graph's vertical limits and panning mode at the press, the
// modifier keys held then, and whether the chart has shifted any axis.
class AxisDrag {
public:
    // Remembers the pressed graph's state at the press.
    void press(const ChartAxes &chart, bool shift, bool ctrl, PanMode panMode);

    // One drag step after the chart shifted its axes. pointerX is the
    // pointer's horizontal position from the main window's left edge,
    // windowWidth the window's outer width; chartNumber 1 to 4. Corrects the
    // vertical limits so that only the axis being adjusted moves: Ctrl locks
    // them all; near the left edge only the left axis moves, near the right
    // edge only the right one; without Shift an axis keeps its minimum.
    void step(ChartAxes &chart, int pointerX, int windowWidth, int chartNumber);

    // Forgets the modifier keys at the release and gives back the panning
    // mode the graph had at the press.
    PanMode release();

    bool scrolled() const { return m_scrolled; }
    void clearScrolled() { m_scrolled = false; }
    bool shift() const { return m_shift; }
    bool ctrl() const { return m_ctrl; }

private:
    void putBackLeft(ChartAxes &chart) const;
    void putBackRight(ChartAxes &chart) const;

    double m_leftMax = 0;
    double m_leftMin = 0;
    double m_rightMax = 0;
    double m_rightMin = 0;
    bool m_shift = false;
    bool m_ctrl = false;
    PanMode m_savedPanMode = PanMode::None;
    bool m_scrolled = false;
};

// A press at x pixels from the graph's left edge is near a vertical axis when
// it lies in the band beside the left axis or beside the right axis, placed
// from the main window's outer width.
bool IsNearAxis(int x, int windowWidth);

// Copies the bottom-axis window of one graph to another, in the order the
// chart cannot refuse for a window whose minimum is at or below its maximum.
void CopyBottomWindow(const ChartAxes &from, ChartAxes &to);
