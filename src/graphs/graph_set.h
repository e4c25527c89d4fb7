#pragma once

#include "base/user_figure.h"
#include "graphs/axis_drag.h"
#include "graphs/graph_cursors.h"
#include "graphs/graph_settings.h"
#include "graphs/paging.h"

#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QSize>

#include <array>

class Chart;
class Clock;
class SampleCycle;
class SettingsBindings;
struct LineSample;
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
class QTimer;
class QWidget;

// The five time graphs and everything that drives them: plotting each
// sample, the axis rules and dragging, paging with the scroll-button panels
// and the chart pop-up menu, the user-defined graphs with their last-hour
// counting, and the page length and sample interval fields.
//
// The main window places the widgets: the tab pages TabSheet1, TabSheet2,
// TabSheet6, TabSheet7 and the hidden TabSheet3 (Chart5), the "Graphs"
// fields (GraphFields: spSample, spPointsPerPage, Panel5) and the "User
// Defined Graphs" box GroupBox4. They are created as children of the owner
// given here until the window puts them in place.
class GraphSet final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphSet)

public:
    // The graphs hold sampling while a graph is held with the mouse and page
    // it with the paging buttons; they clear the sample's hour baselines.
    GraphSet(SampleCycle &cycle, LineSample &sample, const Clock &clock, Settings &settings, QWidget *owner);
    ~GraphSet() override;

    // Binds the graph keys to their controls; the axis limits are taken
    // back, truncated toward zero, before every save.
    void bindSettings(SettingsBindings &bindings);
    // The graph steps of the main window's creation once the settings are
    // applied, in their order.
    void startUp();

    // DateStamp: labels of later points include the day.
    void setDateStamp(bool on);
    bool dateStamp() const { return m_dateStamp; }
    QString threeDFlags() const { return m_threeD; }
    int PlotCount() const { return m_plotCount; }
    int pageLength() const;
    // The web graph at the web image size.
    void setWebGraphSize(const QSize &size);
    const GraphCursors &cursors() const { return m_cursors; }
    // The graph of a tab page (1 to 4), or null on other pages.
    Chart *chartOfPage(int pageIndex) const;
    // A user-defined graph's (1 or 2) tab caption, as last set.
    QString userCaption(int number) const;
    // Whether a user-defined graph (1 or 2) shows "[none]".
    bool userGraphIsNone(int number) const;
    // Edit menu "Copy to Clipboard": the graph of the selected tab.
    void copyGraphOfPage(int pageIndex);
    // The highlight of "Configure User Defined Graphs..." goes at a tab change.
    void clearUserGroupHighlight();

    // Every page load sets the label spacing of the four visible graphs.
    void setLabelSpacing();
    // Adds a sample's points to every graph at the moment of its page load,
    // applies the axis rules and moves the graphs to the newest page.
    void PlotSample(const LineSample &sample, const QDateTime &moment);
    // A line event was found in the sample plotted last: the Noise Margin
    // graph marks it.
    void markLineEvent();

    void spPointsPerPageChange();
    void spPointsPerPageExit();
    void spSampleChange();
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
    void boxUser1Change();
    void boxUser2Change();
    void rbTotal1Click();
    void rbTotal2Click();
    void rbLastHour1Click();
    void rbLastHour2Click();
    void btnResetClick();
    void Timer3Timer();
    void mnuuserDefinedClick();

    // The graphs and their pages.
    Chart *Chart1 = nullptr;
    Chart *Chart2 = nullptr;
    Chart *Chart3 = nullptr;
    Chart *Chart4 = nullptr;
    Chart *Chart5 = nullptr;
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
    QTimer *Timer3 = nullptr;

signals:
    // A graph's tab caption changed (page 3 or 4).
    void tabCaptionChanged(int pageIndex, const QString &caption);
    // "Configure User Defined Graphs...": the tab with the group is to come
    // to the front.
    void advancedTabWanted();
    // The graph menu's "Capture Now", "Save As..." and "Capture All Now".
    void captureVisibleWanted();
    void saveVisibleAsWanted();
    void captureAllWanted();
    // The drop-down list of a user-defined graph closed: the figures both
    // graphs now show, for the log's header to name.
    void userFiguresChosen(UserFigure user1, UserFigure user2);
    // The choice of a user-defined graph changed, by the user or by the
    // settings: the log owes its file a header before the next line.
    void userFigureChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One user-defined graph's controls.
    struct UserGraph {
        QComboBox *box = nullptr;
        QRadioButton *total = nullptr;
        QRadioButton *lastHour = nullptr;
        QLabel *label = nullptr;
        Chart *chart = nullptr;
        int page = 0;
        int number = 0; // 1 or 2
        // The mode the click handlers last took up: a click on the button
        // already chosen is no change.
        bool lastHourChosen = false;
        QString caption {}; // the tab's, as last set
    };

    void createCharts(QWidget *owner);
    void createPagingPanels();
    void createPopupMenu(QWidget *owner);
    void createGraphFields(QWidget *owner);
    void createUserGroup(QWidget *owner);
    QFrame *createPagingPanel(Chart *chart, int distance);
    QLabel *createLastHourLabel(Chart *chart);
    void placeOverlays(Chart *chart);
    void connectChart(Chart *chart);

    void restoreAxes();
    void collectAxes();
    void applyThreeD();
    void startUpUserGraphs();
    void plotUserGraph(UserGraph &graph, const LineSample &sample, const QDateTime &moment);
    UserFigure figureOf(const UserGraph &graph) const;
    void userCloseUp(UserGraph &graph);
    void userTotalClick(UserGraph &graph);
    void userLastHourClick(UserGraph &graph, const UserGraph &other);
    void showLastHourLabel(UserGraph &graph);
    bool inLastHourMode(const UserGraph &graph) const;
    void setTabCaption(UserGraph &graph, const QString &caption);
    void setNoneAxes(Chart *chart);
    void updateTimePerPage();

    int chartNumber(const Chart *chart) const;
    GraphAxesList visibleGraphs() const;
    GraphAxesList allGraphs() const;

    SampleCycle &m_cycle;
    LineSample &m_sample;
    const Clock &m_clock;
    GraphSettings m_settings;
    GraphCursors m_cursors;
    std::array<UserGraph, 2> m_user;
    std::array<QFrame *, 4> m_panels {};
    std::array<int, 4> m_panelDistance = { 40, 48, 48, 48 };
    QButtonGroup *m_mode1 = nullptr;
    QButtonGroup *m_mode2 = nullptr;

    AxisDrag m_drag;
    bool m_cursorOverridden = false;
    Chart *m_popupChart = nullptr;
    int m_plotCount = 0;
    bool m_dateStamp = false;
    QString m_threeD;
};
