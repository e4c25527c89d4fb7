#pragma once

#include <QLocale>
#include <QString>

// What a page reader needs besides the page text: the current texts of the
// two user-defined graph lists, the log column width and the locale numbers
// are converted in.
struct ReaderOptions {
    QString user1Text;
    QString user2Text;
    int logTab = 8;
    QLocale locale = QLocale::system();
};
