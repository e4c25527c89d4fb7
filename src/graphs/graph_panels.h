#pragma once

#include "graphs/axis_drag.h"
#include "graphs/graph_charts.h"
#include "graphs/graph_cursors.h"

#include <QObject>
#include <QPoint>

#include <array>

class Chart;
class GraphModel;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

// The widgets over the graph model: the four graph pages with their charts,
// the scroll-button panels and the chart pop-up menu, dragging on the
// graphs, the page length and sample interval fields, and the "User Defined
// Graphs" box. Each control hands what the user does to the model and
// follows what the model says changed.
//
// The main window places the widgets: the tab pages TabSheet1, TabSheet2,
// TabSheet6, TabSheet7 and the hidden, empty TabSheet3, the "Graphs" fields
// (GraphFields: spSample, spPointsPerPage, Panel5) and the "User Defined
// Graphs" box GroupBox4. They are created as children of the owner given
// here until the window puts them in place.
class GraphPanels final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphPanels)

public:
    GraphPanels(GraphModel &model, QWidget *owner);
    ~GraphPanels() override;

    const GraphCharts &charts() const { return m_charts; }
    const GraphCursors &cursors() const { return m_cursors; }
    // The graph of a tab page (1 to 4), or null on other pages.
    Chart *chartOfPage(int pageIndex) const { return m_charts.chartOfPage(pageIndex); }
    // Edit menu "Copy to Clipboard": the graph of the selected tab.
    void copyGraphOfPage(int pageIndex);
    // The highlight of "Configure User Defined Graphs..." goes at a tab change.
    void clearUserGroupHighlight();

    void spPointsPerPageExit();
    void spSampleExit();

    void Chart1MouseDown(Chart *chart, Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers);
    void Chart1Scroll(Chart *chart, QPoint globalPos);
    void Chart1MouseUp(Chart *chart, Qt::MouseButton button, QPoint globalPos);
    void Chart1MouseMove(Chart *chart, QPoint pos);

    void btnHomeClick();
    void btnChartBack1Click();
    void btnChartForwardClick();
    void btnForwardHomeClick();

    void popupChartPopup(Chart *chart);
    void mnu3DClick();
    void CopytoClipboard1Click();

    void boxUser1CloseUp();
    void boxUser2CloseUp();
    void rbTotal1Click();
    void rbTotal2Click();
    void rbLastHour1Click();
    void rbLastHour2Click();
    void btnResetClick();
    void mnuuserDefinedClick();

    // The graph pages.
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QWidget *TabSheet6 = nullptr;
    QWidget *TabSheet7 = nullptr;
    QWidget *TabSheet3 = nullptr;

    // Paging.
    QFrame *Panel11 = nullptr;
    QFrame *Panel14 = nullptr;
    QFrame *Panel15 = nullptr;
    QFrame *Panel16 = nullptr;
    QMenu *popupChart = nullptr;
    QAction *mnuCapNow = nullptr;
    QAction *mnuChartSaveAs = nullptr;
    QAction *mnuCapAll = nullptr;
    QAction *CopytoClipboard1 = nullptr;
    QAction *mnu3D = nullptr;

    // "Graphs" fields.
    QWidget *GraphFields = nullptr;
    QSpinBox *spSample = nullptr;
    QSpinBox *spPointsPerPage = nullptr;
    QLabel *Panel5 = nullptr;
    // "Save vertical graph axes before closing", placed in "System Options".
    QCheckBox *cbSaveAxes = nullptr;

    // "User Defined Graphs".
    QGroupBox *GroupBox4 = nullptr;
    QComboBox *boxUser1 = nullptr;
    QComboBox *boxUser2 = nullptr;
    QRadioButton *rbTotal1 = nullptr;
    QRadioButton *rbLastHour1 = nullptr;
    QRadioButton *rbTotal2 = nullptr;
    QRadioButton *rbLastHour2 = nullptr;
    QPushButton *btnReset = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label7 = nullptr;

signals:
    // "Configure User Defined Graphs...": the tab with the group is to come
    // to the front.
    void advancedTabWanted();
    // The graph menu's "Capture Now", "Save As..." and "Capture All Now".
    void captureVisibleWanted();
    void saveVisibleAsWanted();
    void captureAllWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One user-defined graph's controls.
    struct UserControls {
        QComboBox *box = nullptr;
        QRadioButton *total = nullptr;
        QRadioButton *lastHour = nullptr;
        QLabel *label = nullptr;
        Chart *chart = nullptr;
    };

    void createPages(QWidget *owner);
    void createPagingPanels();
    void createPopupMenu(QWidget *owner);
    void createGraphFields(QWidget *owner);
    void createUserGroup(QWidget *owner);
    QFrame *createPagingPanel(Chart *chart, int distance);
    QLabel *createLastHourLabel(Chart *chart);
    void placeOverlays(Chart *chart);
    void connectChart(Chart *chart);
    void followFields();
    void followUserGraph(int number);

    int chartNumber(const Chart *chart) const;

    GraphModel &m_model;
    GraphCharts m_charts;
    GraphCursors m_cursors;
    std::array<UserControls, 2> m_user;
    std::array<QFrame *, 4> m_panels {};
    QButtonGroup *m_mode1 = nullptr;
    QButtonGroup *m_mode2 = nullptr;

    AxisDrag m_drag;
    bool m_cursorOverridden = false;
    Chart *m_popupChart = nullptr;
};
