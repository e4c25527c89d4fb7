#include "shell/windows/line_events_window.h"

#include "base/clock.h"
#include "base/date_time_pattern.h"
#include "base/settings.h"
#include "outputs/line_event_history.h"
#include "shell/windows/window_placement.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *Table(const QStringList &headers, QWidget *parent)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetCell(QTableWidget *table, int row, int column, const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

QString Figure(double value)
{
    return QLocale::system().toString(value, 'f', QLocale::FloatingPointShortest);
}

// "6.2 / 5.9" for the margins, "1,024 / 17,984" for the speeds: up first,
// as the log has them.
QString Pair(double up, double down)
{
    return Figure(up) + QStringLiteral(" / ") + Figure(down);
}

} // namespace

LineEventsWindow::LineEventsWindow(
    const LineEventHistory &history, const Settings &settings, const Clock &clock, QWidget *parent)
    : QDialog(parent), m_history(history), m_settings(settings), m_clock(clock)
{
    setWindowTitle(QStringLiteral("Linewarden - Line Events"));
    resize(1000, 520);
    auto *layout = new QVBoxLayout(this);

    tblCounts = Table(
        { QStringLiteral("Event"), QStringLiteral("Last 24 hours"), QStringLiteral("Last 7 days") }, this);
    tblCounts->setRowCount(int(kLineEventKinds));
    tblCounts->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblCounts->setFixedHeight(
        tblCounts->horizontalHeader()->sizeHint().height() + int(kLineEventKinds) * 24 + 4);
    for (const LineEventKind kind : kAllLineEventKinds)
        tblCounts->setRowHeight(int(kind), 24);
    layout->addWidget(tblCounts);

    layout->addWidget(new QLabel(QStringLiteral("Events, newest first:"), this));
    tblEvents = Table({ QStringLiteral("Date/Time"), QStringLiteral("Event"),
                          QStringLiteral("Noise margin before (up / down dB)"),
                          QStringLiteral("Sync before (up / down Kbps)"),
                          QStringLiteral("Noise margin after (up / down dB)"),
                          QStringLiteral("Sync after (up / down Kbps)") },
        this);
    layout->addWidget(tblEvents, 1);

    auto *buttons = new QHBoxLayout;
    cbNotifyEvents = new QCheckBox(NotifyEventsCaption(), this);
    buttons->addWidget(cbNotifyEvents);
    buttons->addStretch(1);
    btnClose = new QPushButton(QStringLiteral("Close"), this);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    // New events show at once while the window is open.
    connect(&history, &LineEventHistory::added, this, [this] {
        if (isVisible())
            refresh();
    });
}

QString LineEventsWindow::NotifyEventsCaption()
{
    return QStringLiteral("Tell me when the line drops, comes back, resyncs or the router stops answering");
}

int LineEventsWindow::ShowModal()
{
    refresh();
    winId();
    if (const QWidget *owner = parentWidget())
        move(CentredOver(owner->frameGeometry(), frameGeometry().size()));
    return exec();
}

void LineEventsWindow::refresh()
{
    fillCounts();
    fillEvents();
}

void LineEventsWindow::fillCounts()
{
    const LineEventCounts counts = CountLineEvents(m_history.events(), m_clock.now());
    for (const LineEventKind kind : kAllLineEventKinds) {
        const auto index = static_cast<std::size_t>(kind);
        const int row = int(index);
        SetCell(tblCounts, row, 0, LineEventText(kind));
        SetCell(tblCounts, row, 1, QString::number(counts.lastDay[index]), true);
        SetCell(tblCounts, row, 2, QString::number(counts.lastWeek[index]), true);
    }
}

void LineEventsWindow::fillEvents()
{
    const std::vector<LineEvent> &events = m_history.events();
    const QString dateFormat = m_settings.text(SettingKey::LogDateFormat);
    tblEvents->setRowCount(int(events.size()));
    int row = 0;
    for (auto event = events.rbegin(); event != events.rend(); ++event, ++row) {
        SetCell(tblEvents, row, 0, FormatDateTime(dateFormat, event->moment));
        SetCell(tblEvents, row, 1, LineEventText(event->kind));
        SetCell(tblEvents, row, 2, Pair(event->before.noiseMarginUp, event->before.noiseMarginDown), true);
        SetCell(tblEvents, row, 3, Pair(event->before.speedUp, event->before.speedDown), true);
        SetCell(tblEvents, row, 4, Pair(event->after.noiseMarginUp, event->after.noiseMarginDown), true);
        SetCell(tblEvents, row, 5, Pair(event->after.speedUp, event->after.speedDown), true);
    }
}
