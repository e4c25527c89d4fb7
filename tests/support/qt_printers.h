#pragma once

#include <QSize>
#include <QString>
#include <QStringView>

#include <ostream>

// Lets GoogleTest print Qt strings and sizes as text in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(QStringView text, std::ostream *os)
{
    *os << '"' << text.toString().toStdString() << '"';
}

inline void PrintTo(const QSize &size, std::ostream *os)
{
    *os << size.width() << 'x' << size.height();
}
