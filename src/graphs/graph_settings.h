#pragma once

#include <QString>

#include <array>

// The saved limits of one graph's vertical axes, as whole numbers.
struct AxisLimitSet {
    int leftMax = 10;
    int rightMax = 10;
    int leftMin = -2;
    int rightMin = -2;
};

// The settings the graphs start from and hand back at close: the sample
// interval and page length fields, the user-defined graph choices, the
// twenty axis keys, the 3-D flags and the DateStamp option.
struct GraphSettings {
    int sample = 30; // Sample
    int pointsPerPage = 480; // PointsperPage
    int user1 = 4; // User1: "CRC Errors"
    int user2 = 5; // User2: "HEC Errors"
    bool total1 = true; // Total1
    bool lastHour1 = false; // LastHour1
    bool total2 = true; // Total2
    bool lastHour2 = false; // LastHour2
    bool saveAxes = false; // SaveAxes
    std::array<AxisLimitSet, 5> axes = StartAxisLimits(); // Chart1..Chart5: C1.. to C5..
    QString threeD = QStringLiteral("00000"); // 3D
    bool dateStamp = true; // DateStamp
    int webWidth = 500; // web graph size: edWidth, or 500 when not a number
    int webHeight = 300; // edHeight, or 300

    // The start limits: Noise Margin and the web graph -2 to 10, the others 0 to 20.
    static std::array<AxisLimitSet, 5> StartAxisLimits();
};

class Settings;

// The graph settings as the settings in memory hold them (the axis keys
// already hold the fixed limits when SaveAxes is clear), and back. The web
// graph's size comes from the texts of edWidth and edHeight: 500 and 300
// where they are not whole numbers.
GraphSettings GraphSettingsFrom(const Settings &settings);
// Writes what the graphs keep into the settings before SaveIni, SaveAxes
// included; the axis limits go in only when SaveAxes is set, as SaveIni
// writes them only then.
void StoreGraphSettings(const GraphSettings &graphs, Settings &settings);
