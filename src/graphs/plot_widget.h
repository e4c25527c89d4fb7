#pragma once

#include <QBrush>
#include <qcustomplot.h>

// The plot library's widget as the chart uses it, drawn straight into the
// window when it is painted: at less cost per sample than the library's own
// way, and to the same picture.
//
// The library draws its layers into buffers of its own at every replot and
// paints the widget by laying those over its background, so every sample
// cleared, drew and copied the whole plot. Here redraw() lays the plot out
// and asks for a paint, and the paint draws the background and the layers
// into the window's back buffer (the toolkit double-buffers every window),
// with nothing to clear and nothing to copy after. The background is
// painted only around the axis rectangle when that is filled with an
// opaque colour anyway.
//
// Drawing into an image (toPainter) keeps the library's own way. The
// library's own replots (on a resize) lay the plot out and draw into a
// buffer of one pixel that nothing shows. All layers must stay logical (the
// overlay layer, buffered by default, is made logical here).
class PlotWidget final : public QCustomPlot {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PlotWidget)

public:
    explicit PlotWidget(QWidget *parent = nullptr);
    ~PlotWidget() override;

    // The plot's background: a brush over the whole widget, under the layers.
    void setBackdrop(const QBrush &brush);

    // Lays the plot out now, for the widget's size, and draws it at the
    // next paint. When nothing around the plot area changed (a sample that
    // moved no axis, tick or label), only the area is painted again; when
    // only some axes changed (the time axis of a scrolling page), the area
    // and those axes.
    void redraw();
    // Lays the plot out for the widget's size again (after drawing into an
    // image of another size), without drawing.
    void layOut();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QBrush backdrop(const QRect &area) const;
    // What the layers cover with an opaque colour at every drawing: the axis
    // rectangle when its background is one; else nothing.
    QRect coveredArea() const;
    void paintBackdrop(QPainter &painter);
    // Everything that decides what is drawn outside the axis rectangle:
    // around it, and for each of its axes. Nothing around it when something
    // there may change with the data alone.
    struct FrameState {
        QByteArray around; // the widget, its background, the area's place and fill
        QVector<QByteArray> axes; // each axis's range, ticks, labels and looks
    };
    FrameState frameState() const;
    bool drawsOnlyInsideTheArea(const QCPLayerable *layerable) const;
    QRect axisZone(const QCPAxis *axis) const;
    void drawAxesWithin(QCPLayer &layer, const QRegion &painted, QCPPainter &painter);

    struct AreaContent {
        QByteArray looks; // how the graphs and items are drawn, and where the items are
        QVector<QVector<QPointF>> lines; // each graph's points, in pixels
        double reach = 0; // how far a point's drawing reaches around it
        bool unknown = false; // something the above does not follow
    };
    AreaContent areaContent() const;
    QRect changedArea(const AreaContent &before, const AreaContent &now) const;

    FrameState m_paintedFrame; // the frame the window shows
    AreaContent m_shownContent; // what the area shows, once the paintings asked for are done
};

// Lets the axis keep the pictures of as many tick labels as given between
// drawings. The library keeps at most 16 per axis, so an axis with more
// labels than that renders every label anew at every drawing.
void KeepTickLabelPictures(QCPAxis *axis, int count);
