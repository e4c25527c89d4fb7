#pragma once

#include <QString>

// The one current sample of the line, refilled in place by every page load.
struct LineSample {
    double noiseMarginUp = 0; // dB, the value after the "/" on the page
    double noiseMarginDown = 0; // dB, the value before the "/"
    double speedUp = 0; // kbps
    double speedDown = 0; // kbps
    QString speedUpText; // kbps as text (Type A: whole kbps; Type B: as shown)
    QString speedDownText;

    // The figures chosen for the user-defined graphs: "Down" is the first
    // value on the page (Local for error seconds), "Up" the second.
    double user1Up = 0;
    double user1Down = 0;
    double user2Up = 0;
    double user2Down = 0;

    // Hour baselines of the last-hour error counts; 0 means not yet taken.
    double user1UpBase = 0;
    double user1DownBase = 0;
    double user2UpBase = 0;
    double user2DownBase = 0;

    QString uptimeText;
    QString logLine;
    bool pageRead = false; // set once any statistics page has been read; never cleared

    // What every page load starts with: no margins, no speeds. The user
    // values and the baselines carry over.
    void resetForPageLoad()
    {
        noiseMarginUp = noiseMarginDown = 0;
        speedUp = speedDown = 0;
        speedUpText.clear();
        speedDownText.clear();
    }

    void clearBaselines() { user1UpBase = user1DownBase = user2UpBase = user2DownBase = 0; }
};

// The five toolbar read-outs a reader fills.
struct Readouts {
    QString Label20; // noise margin up + " dB"
    QString Label22; // noise margin down + " dB"
    QString Label15; // speed up + " Kbps"
    QString Label23; // speed down + " Kbps"
    QString Label25; // uptime

    void clear() { *this = Readouts(); }
};
