#include "demo/simulated_line.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarginTarget = 6.0; // dB the margins drift around
constexpr double kMarginPull = 0.2; // how strongly a margin returns to it
constexpr double kDropChance = 0.01; // per step on a healthy line
constexpr double kLowMarginDropChance = 0.08; // per step below 2.5 dB

double Tenths(double value)
{
    return std::round(value * 10) / 10;
}

} // namespace

SimulatedLine::SimulatedLine(quint32 seed) : m_random(seed)
{
    m_figures.attenuationDown = Tenths(between(28, 40));
    m_figures.attenuationUp = Tenths(m_figures.attenuationDown * 0.55);
    m_figures.powerDown = Tenths(between(19, 20.5));
    m_figures.powerUp = Tenths(between(12, 12.8));
    m_figures.routerUptime = qint64(between(3600, 5 * 86400));
    synchronise();
    m_figures.lineUptime = m_figures.routerUptime - qint64(between(60, 3600));
    // Counters as a line that has been up for a while has them.
    const double steps = double(m_figures.lineUptime) / 10;
    m_figures.fecDown = quint64(steps * between(20, 40));
    m_figures.fecUp = quint64(steps * between(1, 2));
    m_figures.crcDown = quint64(steps * between(0.2, 0.4));
    m_figures.crcUp = quint64(steps * between(0.01, 0.05));
    m_figures.hecDown = quint64(steps * between(0.1, 0.2));
    m_figures.hecUp = quint64(steps * between(0.01, 0.03));
    m_figures.errorSecondsLocal = quint64(steps * between(0.1, 0.2));
    m_figures.errorSecondsRemote = quint64(steps * between(0.01, 0.03));
}

double SimulatedLine::uniform()
{
    // Our own mapping, so a seed gives the same figures with any library.
    return double(m_random()) / 4294967296.0;
}

double SimulatedLine::between(double low, double high)
{
    return low + (high - low) * uniform();
}

double SimulatedLine::normal(double deviation)
{
    // Sum of uniforms: close enough to a bell for a wandering margin.
    double sum = 0;
    for (int i = 0; i < 6; ++i)
        sum += uniform();
    return (sum - 3.0) * deviation * std::sqrt(2.0);
}

int SimulatedLine::chance(double probability)
{
    return uniform() < probability ? 1 : 0;
}

void SimulatedLine::synchronise()
{
    LineFigures &f = m_figures;
    f.connected = true;
    f.lineUptime = 0;
    f.marginDown = Tenths(kMarginTarget + normal(0.4));
    f.marginUp = Tenths(kMarginTarget + normal(0.3));
    // Speeds a line of this length reaches, a little different each time.
    const double reach = std::clamp(1.0 - (f.attenuationDown - 28) / 40, 0.6, 1.0);
    f.speedDown = int(between(14500, 17500) * reach);
    f.speedUp = int(between(1020, 1260));
}

void SimulatedLine::drop()
{
    LineFigures &f = m_figures;
    f.connected = false;
    f.marginDown = f.marginUp = 0;
    f.speedDown = f.speedUp = 0;
    f.lineUptime = 0;
    f.errorSecondsLocal += 5 + quint64(between(0, 20));
    f.errorSecondsRemote += quint64(between(0, 5));
    ++f.resyncs;
    m_stepsDown = 1 + int(between(0, 3));
}

void SimulatedLine::growCounters()
{
    LineFigures &f = m_figures;
    f.fecDown += quint64(between(0, 60));
    f.fecUp += quint64(between(0, 4));
    const int crcDown = chance(0.15) * (1 + int(between(0, 3)));
    f.crcDown += quint64(crcDown);
    f.crcUp += quint64(chance(0.04));
    f.hecDown += quint64(chance(0.1) * (1 + int(between(0, 2))));
    f.hecUp += quint64(chance(0.03));
    f.errorSecondsLocal += quint64(crcDown > 0 ? 1 : 0);
    f.errorSecondsRemote += quint64(chance(0.02));
}

void SimulatedLine::advance(int seconds)
{
    LineFigures &f = m_figures;
    f.routerUptime += seconds;
    if (!f.connected) {
        if (--m_stepsDown <= 0)
            synchronise();
        return;
    }
    f.lineUptime += seconds;
    growCounters();
    f.marginDown = Tenths(
        std::clamp(f.marginDown + kMarginPull * (kMarginTarget - f.marginDown) + normal(0.35), 0.5, 14.0));
    f.marginUp = Tenths(
        std::clamp(f.marginUp + kMarginPull * (kMarginTarget - f.marginUp) + normal(0.25), 0.5, 14.0));
    const double dropChance = f.marginDown < 2.5 ? kLowMarginDropChance : kDropChance;
    if (uniform() < dropChance)
        drop();
}
