#include "graphs/chart.h"

#include <QVBoxLayout>
#include <qcustomplot.h>

Chart::Chart(QWidget *parent) : QWidget(parent), m_plot(new QCustomPlot(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);
}

Chart::~Chart() = default;
