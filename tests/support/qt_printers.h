#pragma once

#include <QString>
#include <QStringView>

#include <ostream>

// Lets GoogleTest print Qt strings as text in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QStringView text, std::ostream *os)
{
    *os << '"' << text.toString().toStdString() << '"';
}
