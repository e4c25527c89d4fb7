#pragma once

class GraphModel;
class SampleCycle;
struct LineSample;

// What the graphs ask of sampling: the interval of the fields, no sample
// while a graph is held with the mouse, a pause when paging back and a run
// again on the newest page; each new error-counting hour drops the sample's
// hour baselines.
void LinkGraphsToSampling(GraphModel &graphs, SampleCycle &cycle, LineSample &sample);
