#include "outputs/icon_noise.h"

#include "base/settings.h"
#include "outputs/tray_step.h"
#include "outputs/tray_tooltip.h"
#include "support/qt_printers.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Fuchsia = qRgb(255, 0, 255);

// The rows holding pixels of the text colour.
QList<int> TextRows(const QImage &icon, QRgb colour)
{
    QList<int> rows;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (icon.pixel(x, y) == colour) {
                rows.append(y);
                break;
            }
    return rows;
}

TEST(IconNoise, BackgroundRowsWithTheBottomRowTransparent)
{
    const QImage icon = IconNoise(IconMode::Run, 6.2, 7616, QLocale::c());
    ASSERT_EQ(icon.size(), QSize(16, 16));
    const QRgb rows[15] = { qRgb(214, 218, 238), qRgb(178, 181, 198), qRgb(53, 54, 59), qRgb(0, 0, 0),
        qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0),
        qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(72, 72, 95), qRgb(134, 134, 178) };
    // The text, centred, leaves the outer columns alone.
    for (int y = 0; y < 15; ++y) {
        EXPECT_EQ(icon.pixel(0, y), rows[y]) << "row " << y;
        EXPECT_EQ(icon.pixel(15, y), rows[y]) << "row " << y;
    }
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(qAlpha(icon.pixel(x, 15)), 0) << "column " << x;
}

TEST(IconNoise, YellowWhileSyncedFuchsiaAtZeroKbps)
{
    const QImage synced = IconNoise(IconMode::Run, 6.2, 1, QLocale::c());
    const QImage down = IconNoise(IconMode::Run, 6.2, 0, QLocale::c());
    EXPECT_FALSE(TextRows(synced, Yellow).isEmpty());
    EXPECT_TRUE(TextRows(synced, Fuchsia).isEmpty());
    EXPECT_FALSE(TextRows(down, Fuchsia).isEmpty());
    EXPECT_TRUE(TextRows(down, Yellow).isEmpty());
}

TEST(IconNoise, TextOf16PixelsOrMoreIsWrittenSmaller)
{
    // "100" measures 15 pixels in regular Arial Narrow at 8 points, "-1.5"
    // 16 (checked first, so a different font shows as such).
    QFont narrow;
    narrow.setFamilies({ QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow") });
    narrow.setPointSize(8);
    narrow.setStyleStrategy(QFont::NoAntialias);
    narrow.setHintingPreference(QFont::PreferFullHinting);
    QImage ruler(16, 16, QImage::Format_RGB32);
    ruler.setDotsPerMeterX(3780);
    ruler.setDotsPerMeterY(3780);
    ASSERT_EQ(QFontMetrics(narrow, &ruler).horizontalAdvance(QStringLiteral("100")), 15);
    ASSERT_EQ(QFontMetrics(narrow, &ruler).horizontalAdvance(QStringLiteral("-1.5")), 16);

    // Digits at 8 points stand 8 pixels tall, at 6 points 6.
    const QList<int> large = TextRows(IconNoise(IconMode::Run, 100, 1, QLocale::c()), Yellow);
    const QList<int> small = TextRows(IconNoise(IconMode::Run, -1.5, 1, QLocale::c()), Yellow);
    EXPECT_EQ(large.size(), 8);
    EXPECT_EQ(small.size(), 6);
    EXPECT_LT(small.last(), large.last());
}

TEST(IconNoise, StopShowsAQuestionMarkInTheLastSpeedsColour)
{
    const QImage stopped = IconNoise(IconMode::Stop, 12.4, 0, QLocale::c());
    const QImage shown = IconNoise(IconMode::Run, 12.4, 0, QLocale::c());
    EXPECT_NE(stopped, shown);
    // "?" at (5, 0): nothing of it left of x = 5, and 8 points tall.
    int left = 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (stopped.pixel(x, y) == Fuchsia)
                left = std::min(left, x);
    EXPECT_GE(left, 5);
    EXPECT_LE(left, 7);
    const QList<int> rows = TextRows(stopped, Fuchsia);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.last() - rows.first() + 1, 8);
    EXPECT_FALSE(TextRows(IconNoise(IconMode::Stop, 12.4, 7616, QLocale::c()), Yellow).isEmpty());
}

TEST(IconNoise, TextHasThreeSignificantDigitsInTheLocale)
{
    const struct {
        double value;
        const char *text;
    } cases[] = { { 6.2, "6.2" }, { 12.4, "12.4" }, { -1.5, "-1.5" }, { 0, "0" }, { 6.0, "6" },
        { 12.46, "12.5" }, { 100.4, "100" } };
    for (const auto &c : cases)
        EXPECT_EQ(IconNoiseText(c.value, QLocale::c()), QString::fromLatin1(c.text));
    EXPECT_EQ(IconNoiseText(6.2, QLocale(QLocale::German)), QStringLiteral("6,2"));
}

TEST(TrayTooltip, MarginAndSpeedOnThreeLines)
{
    EXPECT_EQ(TrayTooltip(0, 0, QLocale::c()),
        QStringLiteral("Linewarden\nNoise margin: 0 dB\nSync speed: 0 Kbps"));
    EXPECT_EQ(TrayTooltip(6.2, 17616, QLocale::c()),
        QStringLiteral("Linewarden\nNoise margin: 6.2 dB\nSync speed: 17616 Kbps"));
}

// The tray step draws the icon only when what it shows changes (the digits
// written, the colour, or Run and the "?" of a Pause); the tooltip goes
// with every call.
TEST(TrayStep, DrawsTheIconOnlyWhenWhatItShowsChanges)
{
    const Settings settings(SettingsContext {});
    int icons = 0;
    int tooltips = 0;
    TrayStep step(settings, [&](const QImage &icon, const QString &) {
        icons += icon.isNull() ? 0 : 1;
        ++tooltips;
    });
    const auto sample = [&](double margin, double speed) {
        LineSample figures;
        figures.noiseMarginDown = margin;
        figures.speedDown = speed;
        step.sampleTaken(PageLoad { figures, QDateTime::currentDateTime(), true, true });
    };
    const struct {
        const char *what;
        std::function<void()> event;
        int iconsAfter;
    } events[] = {
        { "first sample", [&] { sample(6.1, 8000); }, 1 },
        { "same figures", [&] { sample(6.1, 8000); }, 1 },
        { "margin moves", [&] { sample(6.2, 8000); }, 2 },
        { "margin moves past the digits", [&] { sample(6.2001, 8000); }, 2 },
        { "speed moves, still synced", [&] { sample(6.2, 7000); }, 2 },
        { "line drops", [&] { sample(6.2, 0); }, 3 },
        { "pause", [&] { step.runStateChanged(RunState::Paused); }, 4 },
        { "pause again", [&] { step.runStateChanged(RunState::Paused); }, 4 },
        { "run, same figures", [&] { sample(6.2, 0); }, 5 },
    };
    int calls = 0;
    for (const auto &e : events) {
        SCOPED_TRACE(e.what);
        e.event();
        EXPECT_EQ(icons, e.iconsAfter);
        EXPECT_EQ(tooltips, ++calls);
    }
}

} // namespace
