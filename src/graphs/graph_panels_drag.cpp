// Pressing, dragging and releasing the mouse on the four visible graphs.
#include "graphs/graph_panels.h"

#include "graphs/axis_refused.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"

#include <QApplication>
#include <QMenu>

void GraphPanels::Chart1MouseDown(
    Chart *chart, Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers)
{
    // No sample is taken while a button is held on a graph.
    m_model.holdSampling(true);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    m_drag.press(*chart, shift, modifiers.testFlag(Qt::ControlModifier), chart->panMode());
    if (button == Qt::RightButton)
        return;

    QString cursor;
    if (IsNearAxis(pos.x(), chart->window()->frameGeometry().width())) {
        chart->setPanMode(PanMode::Vertical);
        cursor = shift ? QStringLiteral("cursorNS") : QStringLiteral("cursorN");
    } else if (chart->panMode() == PanMode::Both) {
        chart->setPanMode(PanMode::Horizontal);
        cursor = QStringLiteral("cursorEW");
    } else {
        chart->setPanMode(PanMode::None);
        cursor = QStringLiteral("cursorNO");
    }
    if (m_cursorOverridden)
        QApplication::changeOverrideCursor(m_cursors.byName(cursor));
    else
        QApplication::setOverrideCursor(m_cursors.byName(cursor));
    m_cursorOverridden = true;
}

void GraphPanels::Chart1Scroll(Chart *chart, QPoint globalPos)
{
    const QRect frame = chart->window()->frameGeometry();
    m_drag.step(*chart, globalPos.x() - frame.left(), frame.width(), chartNumber(chart));
}

void GraphPanels::Chart1MouseUp(Chart *chart, Qt::MouseButton button, QPoint globalPos)
{
    chart->setPanMode(m_drag.release());

    // After a horizontal drag all four visible graphs show the released
    // graph's window. A refusal leaves scrolled set, so the next release
    // copies again.
    if (m_drag.scrolled()) {
        try {
            for (int number = 1; number <= 4; ++number)
                CopyBottomWindow(*chart, m_charts.chart(number));
            m_drag.clearScrolled();
        } catch (const AxisRefused &) {
        }
    }

    if (m_cursorOverridden) {
        QApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
    }
    QApplication::processEvents(); // let the graphs repaint before sampling resumes
    m_model.holdSampling(false);

    if (button == Qt::RightButton) {
        popupChartPopup(chart);
        popupChart->popup(globalPos);
    }
}
