#pragma once

#include "outputs/line_events.h"

#include <QObject>

#include <vector>

// The line's events as the program knows them: those the events file held
// at start and those found since, oldest first. Only events found in this
// run are announced.
class LineEventHistory final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineEventHistory)

public:
    // The most events kept; the oldest go first.
    static constexpr std::size_t kMostEvents = 10000;

    explicit LineEventHistory(QObject *parent = nullptr) : QObject(parent) { }

    // Takes the events of an earlier run (oldest first), before any of this run.
    void restore(std::vector<LineEvent> events);
    void add(const LineEvent &event);
    const std::vector<LineEvent> &events() const { return m_events; }

signals:
    void added(const LineEvent &event);

private:
    void keepNewest();

    std::vector<LineEvent> m_events;
};
