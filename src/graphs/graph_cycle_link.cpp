#include "graphs/graph_cycle_link.h"

#include "graphs/graph_model.h"
#include "sampling/line_sample.h"
#include "sampling/sample_cycle.h"

void LinkGraphsToSampling(GraphModel &graphs, SampleCycle &cycle, LineSample &sample)
{
    QObject::connect(&graphs, &GraphModel::sampleSecondsChanged, &cycle, &SampleCycle::setSampleSeconds);
    QObject::connect(&graphs, &GraphModel::samplingHeld, &cycle, [&cycle](bool held) {
        if (held)
            cycle.graphMouseDown();
        else
            cycle.graphMouseUp();
    });
    QObject::connect(&graphs, &GraphModel::pauseWanted, &cycle, &SampleCycle::btnStopClick);
    QObject::connect(&graphs, &GraphModel::runWanted, &cycle, &SampleCycle::btnRunClick);
    QObject::connect(&graphs, &GraphModel::hourBegan, &cycle, [&sample] { sample.clearBaselines(); });
}
