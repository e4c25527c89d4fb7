#pragma once

#include "base/settings.h"
#include "base/user_figure.h"

#include <QSize>
#include <QString>

#include <array>

// The limits of one graph's vertical axes, as whole numbers.
struct AxisLimitSet {
    int leftMax = 0;
    int rightMax = 0;
    int leftMin = 0;
    int rightMin = 0;
};

// The keys the graphs read and write: the sample interval and page length,
// the user-defined graphs' figures and modes, the axis limits, the 3-D
// flags, DateStamp and the web graph's size. Graphs are numbered as the axis
// keys number them: 1 Noise Margin, 2 Connection Speed, 3 and 4 the
// user-defined graphs, 5 the web graph.
class GraphSettings {
public:
    explicit GraphSettings(Settings &settings) : m_settings(settings) { }

    int sampleSeconds() const { return m_settings.integer(SettingKey::Sample); }
    void setSampleSeconds(int seconds) { m_settings.setInteger(SettingKey::Sample, seconds); }
    int pointsPerPage() const { return m_settings.integer(SettingKey::PointsperPage); }
    void setPointsPerPage(int points) { m_settings.setInteger(SettingKey::PointsperPage, points); }

    // User-defined graph 1 or 2.
    UserFigure figure(int userGraph) const;
    void setFigure(int userGraph, UserFigure figure);
    bool total(int userGraph) const;
    bool lastHour(int userGraph) const;
    void setTotal(int userGraph, bool on);
    void setLastHour(int userGraph, bool on);

    bool saveAxes() const { return m_settings.flag(SettingKey::SaveAxes); }
    void setSaveAxes(bool on) { m_settings.setFlag(SettingKey::SaveAxes, on); }
    // What the axis keys hold: the stored limits when SaveAxes was set at
    // load, the fixed limits otherwise.
    AxisLimitSet axisLimits(int graph) const;
    // The limits the graph starts from, and falls back to.
    static AxisLimitSet fixedAxisLimits(int graph);
    // Limits as they are stored: truncated toward zero.
    void setAxisLimits(int graph, double leftMin, double leftMax, double rightMin, double rightMax);

    QString threeD() const { return m_settings.text(SettingKey::ThreeD); }
    void setThreeD(const QString &flags) { m_settings.setText(SettingKey::ThreeD, flags); }
    bool dateStamp() const { return m_settings.flag(SettingKey::DateStamp); }
    void setDateStamp(bool on) { m_settings.setFlag(SettingKey::DateStamp, on); }
    // edWidth and edHeight as the web image step takes them (WebImageSize).
    QSize webGraphSize() const;

private:
    Settings &m_settings;
};
