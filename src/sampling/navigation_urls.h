#pragma once

#include <QString>

// The two URLs sampling steers by.
struct NavigationUrls {
    QString navigationUrl; // what the sample tick loads
    QString learnedUrl; // the statistics page as last confirmed; empty at start-up
};
