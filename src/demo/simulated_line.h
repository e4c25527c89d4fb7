#pragma once

#include "demo/line_figures.h"

#include <random>

// An ADSL line that behaves like a real one: the noise margins wander around
// 6 dB, the error counters grow, and now and then the line drops (speeds and
// margins 0) for a step or three and synchronises again at new speeds. The
// same seed gives the same figures step by step.
class SimulatedLine final {
public:
    explicit SimulatedLine(quint32 seed);

    // Moves the line on by one step of the given number of seconds.
    void advance(int seconds);

    const LineFigures &figures() const { return m_figures; }

private:
    double uniform(); // [0, 1)
    double between(double low, double high);
    double normal(double deviation); // mean 0
    int chance(double probability); // 1 with the probability, else 0
    void synchronise();
    void drop();
    void growCounters();

    std::mt19937 m_random;
    LineFigures m_figures;
    int m_stepsDown = 0;
};
