#pragma once

#include <QWidget>

class QCustomPlot;

// The time graph widget the rest of the program talks to. It keeps the plot
// library behind it: nothing else includes the library's header.
class Chart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Chart)

public:
    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

private:
    QCustomPlot *m_plot = nullptr; // owned by this widget as its Qt child
};
