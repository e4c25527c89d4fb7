#pragma once

#include "base/user_figure.h"
#include "graphs/graph_settings.h"
#include "graphs/paging.h"
#include "graphs/time_graph.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <vector>

class Clock;
class SettingsBindings;
struct HistoryRecord;
struct LineSample;

// The five time graphs as data, and the rules that fill and move them:
// plotting each sample with the axis rules, paging, the page length and
// sample interval, the saved axes, the 3-D flags, and the user-defined
// graphs with their figures, modes, captions and the hour they count
// errors in. Nothing here is a widget: charts, boxes, buttons and menus sit
// on top of it and follow its signals, and the mode without windows draws
// pictures of it without any of them.
//
// Graphs are numbered as the axis keys number them: 1 Noise Margin,
// 2 Connection Speed, 3 and 4 the user-defined graphs, 5 the web graph.
class GraphModel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphModel)

public:
    static constexpr int kGraphCount = 5;

    // What one user-defined graph (1 or 2) shows and how its controls stand.
    struct UserGraph {
        UserFigure figure = UserFigure::OutputPower;
        bool lastHourChecked = false; // "Errors in last hour" rather than "Total errors"
        bool totalEnabled = true;
        bool lastHourEnabled = true;
        // The mode the clicks last took up: a click on the mode already
        // chosen is no change.
        bool lastHourChosen = false;
        QString caption {}; // its tab's, as last set

        // Counting the errors of the last hour: the last-hour label shows.
        bool inLastHourMode() const { return lastHourChecked && lastHourEnabled; }
    };

    GraphModel(const Clock &clock, Settings &settings, QObject *parent = nullptr);
    ~GraphModel() override;

    // Binds the graph keys; the axis limits are taken back, truncated
    // toward zero, before every save.
    void bindSettings(SettingsBindings &bindings);
    // The graph steps of start-up once the settings are applied, in order.
    void startUp();

    TimeGraph &graph(int number) const;
    // The graph of a tab page (1 to 4), or null on other pages.
    TimeGraph *graphOfPage(int pageIndex) const;
    // Noise Margin, Connection Speed and the two user-defined graphs.
    GraphAxesList visibleGraphs() const;

    int PlotCount() const { return m_plotCount; }
    int pageLength() const { return m_pageLength; }
    int sampleSeconds() const { return m_sampleSeconds; }
    // A new value of the fields; the page length moves every window.
    void setPageLength(int points);
    void setSampleSeconds(int seconds);

    // DateStamp: labels of later points include the day.
    void setDateStamp(bool on);
    bool dateStamp() const { return m_dateStamp; }
    QString threeDFlags() const { return m_threeD; }
    bool is3D(int number) const;
    // The 3-D look of a visible graph (1 to 4); the web graph follows the first.
    void setThreeD(int number, bool on);

    // Every page load sets the label spacing of the four visible graphs.
    void setLabelSpacing();
    // Adds a sample's points to every graph at the moment of its page load,
    // applies the axis rules and moves the graphs to the newest page.
    void PlotSample(const LineSample &sample, const QDateTime &moment);
    // A line event was found in the sample plotted last: the Noise Margin
    // graph marks it.
    void markLineEvent();
    // Before sampling starts: plots the stored samples in time order as each
    // was plotted when it was taken, with today's choices (label form,
    // user-defined figures and modes), moves the graphs to the newest page
    // and marks on the visible graphs where this run's samples will begin.
    // No records, no change.
    void plotHistory(const std::vector<HistoryRecord> &records);

    // Paging the visible graphs: going back pauses sampling, the newest page
    // starts it again.
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showNewestPage();
    // No sample is taken while a graph is held with the mouse.
    void holdSampling(bool held);

    const UserGraph &userGraph(int number) const;
    // A user-defined graph's (1 or 2) tab caption, as last set.
    QString userCaption(int number) const;
    // Whether a user-defined graph (1 or 2) shows "[none]".
    bool userGraphIsNone(int number) const;
    // The figure of a user-defined graph changed, as its list's selection.
    void setUserFigure(int number, UserFigure figure);
    // The list closed on a choice: titles, caption, modes and axes follow.
    void userFigureClosedUp(int number);
    // "Total errors" and "Errors in last hour" clicked.
    void chooseTotal(int number);
    void chooseLastHour(int number);
    // "Reset": a full hour starts now.
    void resetHour();
    const QTimer &hourTimer() const { return m_hour; }
    QTimer &hourTimer() { return m_hour; }

signals:
    // A graph's tab caption changed (page 3 or 4).
    void tabCaptionChanged(int pageIndex, const QString &caption);
    // How a user-defined graph (1 or 2) stands changed: figure, mode,
    // enabled modes or the last-hour label.
    void userGraphChanged(int number);
    // The list of a user-defined graph closed: the figures both graphs now
    // show, for the log's header to name.
    void userFiguresChosen(UserFigure user1, UserFigure user2);
    // The choice of a user-defined graph changed, by the user or by the
    // settings: the log owes its file a header before the next line.
    void userFigureChanged();
    // The page length or the sample interval changed.
    void fieldsChanged();
    void sampleSecondsChanged(int seconds);
    // Sampling is held while a graph is held with the mouse.
    void samplingHeld(bool held);
    // Paging back pauses sampling; the newest page runs it again.
    void pauseWanted();
    void runWanted();
    // A new hour of error counting begins: the sample drops its baselines.
    void hourBegan();

private:
    UserGraph &user(int number);
    void applyPageLength();
    void restoreAxes();
    void collectAxes();
    void applyThreeD();
    void setLastHourChecked(int number, bool on);
    void startUpUserGraphs();
    void plotPoints(const LineSample &sample, const QDateTime &moment);
    void followNewestPoint();
    void plotUserGraph(int number, const LineSample &sample, const QDateTime &moment);
    void setTitles(int number);
    void setTabCaption(int number, const QString &caption);
    void setNoneAxes(int number);
    GraphAxesList allGraphs() const;

    const Clock &m_clock;
    GraphSettings m_settings;
    std::array<TimeGraph *, kGraphCount> m_graphs {}; // children of this
    std::array<UserGraph, 2> m_user {};
    QTimer m_hour;
    static constexpr int kHourMs = 3600000;
    int m_plotCount = 0;
    int m_pageLength = 0;
    int m_sampleSeconds = kSampleSecondsMin;
    bool m_dateStamp = false;
    QString m_threeD;
};
