#include "shell/controls/steady_label.h"

#include "support/qt_printers.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Counts the layout requests a widget receives.
class LayoutRequests : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::LayoutRequest ? 1 : 0;
        return false;
    }
};

} // namespace

// A steady label shows every text whole, never shrinks, and a new text of
// its size asks its window for no new layout.
TEST(SteadyLabel, GrowsToFitAndTakesTextsWithoutRelayout)
{
    QWidget window;
    auto *row = new QHBoxLayout(&window);
    auto *label = new QLabel(&window);
    row->addWidget(label);
    MakeSteady(*label, 40);
    window.show();
    QApplication::processEvents();

    const struct {
        QString text;
        bool laysOut;
    } cases[] = {
        { QStringLiteral("6.5 dB"), false },
        { QStringLiteral("12 days 23:59:59 and more"), true },
        { QStringLiteral("1 dB"), false },
    };
    int widest = label->width();
    for (const auto &step : cases) {
        LayoutRequests requests;
        window.installEventFilter(&requests);
        SetSteadyText(*label, step.text);
        QApplication::processEvents();
        window.removeEventFilter(&requests);
        EXPECT_EQ(requests.count > 0, step.laysOut) << qPrintable(step.text);
        EXPECT_EQ(label->text(), step.text);
        EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(step.text))
            << qPrintable(step.text);
        EXPECT_GE(label->width(), widest) << qPrintable(step.text);
        EXPECT_EQ(label->width() > widest, step.laysOut) << qPrintable(step.text);
        widest = label->width();
    }
}
