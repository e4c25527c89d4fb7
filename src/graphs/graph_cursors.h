#pragma once

#include <QCursor>
#include <QHash>
#include <QString>

// The hand cursors of graph dragging, drawn at start-up: 32 by 32, black on
// white, hot spot at (8, 8). Known by name ("draghand", "cursorEW",
// "cursorNSEW", "cursorN", "cursorNS", "cursorNO", "cursorNEW") and by slot
// (1, 3, 4, 5, 6, 7, 8).
class GraphCursors {
public:
    GraphCursors();

    QCursor byName(const QString &name) const;
    QCursor bySlot(int slot) const;
    static QString nameOfSlot(int slot);

private:
    QHash<QString, QCursor> m_cursors;
};
