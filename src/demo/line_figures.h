#pragma once

#include <QtGlobal>

// The figures of a simulated ADSL line at one moment, as a router would
// show them. Margins, attenuation and power in dB (dBm), speeds in kbps.
struct LineFigures {
    bool connected = true;
    double marginDown = 0;
    double marginUp = 0;
    int speedDown = 0;
    int speedUp = 0;
    double attenuationDown = 0;
    double attenuationUp = 0;
    double powerDown = 0;
    double powerUp = 0;
    quint64 fecDown = 0;
    quint64 fecUp = 0;
    quint64 crcDown = 0;
    quint64 crcUp = 0;
    quint64 hecDown = 0;
    quint64 hecUp = 0;
    quint64 errorSecondsLocal = 0;
    quint64 errorSecondsRemote = 0;
    qint64 routerUptime = 0; // seconds since the router started
    qint64 lineUptime = 0; // seconds since the line last synchronised
    int resyncs = 0; // how often the line dropped and came back
};
