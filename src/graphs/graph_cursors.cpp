#include "graphs/graph_cursors.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

constexpr int Size = 32;
constexpr int HotSpot = 8;

enum Mark : unsigned {
    Up = 1, // chevron pointing up, above the hand
    Down = 2, // chevron pointing down, below the hand
    Left = 4, // chevron pointing left
    Right = 8, // chevron pointing right
    Bar = 16, // bar below the hand
    Forbidden = 32 // circle with a diagonal stroke around the hand
};

// An open hand whose forefinger tip lies at the hot spot.
void DrawHand(QPainter &painter)
{
    painter.setBrush(Qt::white);
    for (int finger = 0; finger < 4; ++finger)
        painter.drawRoundedRect(QRect(6 + finger * 4, 6 - (finger == 1 ? 1 : 0), 4, 11), 2, 2);
    painter.drawRoundedRect(QRect(6, 13, 16, 10), 3, 3);
    painter.drawRoundedRect(QRect(2, 12, 5, 8), 2, 2); // thumb
}

void DrawChevron(QPainter &painter, QPoint tip, QPoint back1, QPoint back2)
{
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({ tip, back1, back2 }));
}

QCursor MakeCursor(unsigned marks)
{
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    DrawHand(painter);
    if (marks & Up)
        DrawChevron(painter, QPoint(27, 1), QPoint(23, 6), QPoint(31, 6));
    if (marks & Down)
        DrawChevron(painter, QPoint(27, 30), QPoint(23, 25), QPoint(31, 25));
    if (marks & Left)
        DrawChevron(painter, QPoint(0, 27), QPoint(5, 24), QPoint(5, 30));
    if (marks & Right)
        DrawChevron(painter, QPoint(31, 27), QPoint(26, 24), QPoint(26, 30));
    if (marks & Bar) {
        painter.setBrush(Qt::black);
        painter.drawRect(QRect(23, 28, 8, 2));
    }
    if (marks & Forbidden) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawEllipse(QRect(1, 1, 26, 26));
        painter.drawLine(QPoint(5, 5), QPoint(23, 23));
    }
    painter.end();
    return QCursor(QPixmap::fromImage(image), HotSpot, HotSpot);
}

struct CursorShape {
    int slot;
    const char *name;
    unsigned marks;
};

const CursorShape Shapes[] = {
    { 1, "draghand", 0 },
    { 3, "cursorEW", Left | Right },
    { 4, "cursorNSEW", Up | Down | Left | Right },
    { 5, "cursorN", Up | Bar },
    { 6, "cursorNS", Up | Down },
    { 7, "cursorNO", Forbidden },
    { 8, "cursorNEW", Up | Left | Right | Bar },
};

} // namespace

GraphCursors::GraphCursors()
{
    for (const CursorShape &shape : Shapes)
        m_cursors.insert(QLatin1String(shape.name), MakeCursor(shape.marks));
}

QCursor GraphCursors::byName(const QString &name) const
{
    return m_cursors.value(name, QCursor(Qt::ArrowCursor));
}

QCursor GraphCursors::bySlot(int slot) const
{
    return byName(nameOfSlot(slot));
}

QString GraphCursors::nameOfSlot(int slot)
{
    for (const CursorShape &shape : Shapes)
        if (shape.slot == slot)
            return QLatin1String(shape.name);
    return {};
}
