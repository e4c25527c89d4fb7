#pragma once

#include "base/user_figure.h"

#include <QLocale>

// What a page reader needs besides the page text: the figures of the two
// user-defined graphs, the log column width (LogTab) and the locale numbers
// are converted in.
struct ReaderOptions {
    UserFigure user1 = UserFigure::None;
    UserFigure user2 = UserFigure::None;
    int logTab = 0;
    QLocale locale = QLocale::system();
};
