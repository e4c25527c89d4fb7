#pragma once

#include <QBrush>
#include <QImage>
#include <qcustomplot.h>

// The plot library's widget as the chart uses it, drawn at less cost per
// sample than the library's own way and to the same pixels.
//
// The library draws its layers into a transparent buffer, then paints the
// widget's background and lays that buffer over it. Here the layers share
// one opaque buffer that starts every drawing as a copy of the background,
// and the widget is painted by copying that buffer alone. Drawing into an
// image (toPainter) keeps the library's own way. All layers must stay
// logical (the overlay layer, buffered by default, is made logical here):
// a buffered layer would get a buffer of its own on top.
class PlotWidget final : public QCustomPlot {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PlotWidget)

public:
    explicit PlotWidget(QWidget *parent = nullptr);
    ~PlotWidget() override;

    // The plot's background: a brush over the whole widget, under the layers.
    void setBackdrop(const QBrush &brush);

    // The background at the given size and pixel ratio, kept for the next
    // drawing at that size.
    const QImage &backdrop(const QSize &size, double ratio);

    // What the layers cover with an opaque colour at every drawing: the
    // axis rectangle when its background is one; else nothing.
    QRect coveredArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_backdrop;
};

// Lets the axis keep the pictures of as many tick labels as given between
// drawings. The library keeps at most 16 per axis, so an axis with more
// labels than that renders every label anew at every drawing.
void KeepTickLabelPictures(QCPAxis *axis, int count);
