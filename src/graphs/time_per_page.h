#pragma once

#include <QString>

// The caption of Panel5: how much time one page of L points spans at a
// sample every S seconds, in whole minutes (halves go to the even
// neighbour), for example "(4 hr : 0 min per page)".
QString TimePerPageCaption(int sampleSeconds, int pageLength);
