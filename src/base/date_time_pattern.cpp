#include "base/date_time_pattern.h"

namespace {

// A Qt time format without its time-zone part: the program's long time is a
// clock reading, never "12:00:00 UTC", so that a time written with it can be
// read back as the same time of day.
QString WithoutZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}

// The first character of a Qt format that is neither a letter nor quoted
// text: the separator between its fields.
QChar FirstSeparator(const QString &format, QChar fallback)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

QString Number(int value, int minDigits)
{
    return QStringLiteral("%1").arg(value, minDigits, 10, QLatin1Char('0'));
}

// Walks a pattern once, appending each token's text to the result.
class PatternWriter {
public:
    PatternWriter(const QString &pattern, const QDateTime &moment, const QLocale &locale)
        : m_pattern(pattern), m_date(moment.date()), m_time(moment.time()), m_locale(locale)
    {
    }

    QString write()
    {
        while (m_pos < m_pattern.size()) {
            const QChar raw = m_pattern.at(m_pos);
            QChar token = raw.toLower();
            if (isAsciiLetter(raw)) {
                // m or mm right after an hour token stands for the minutes.
                if (token == u'm' && m_lastLetter == u'h' && runLength(raw) <= 2)
                    token = u'n';
                m_lastLetter = token;
            }
            writeToken(token, raw);
        }
        return m_out;
    }

private:
    static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

    // Number of characters from the current position that repeat the letter.
    int runLength(QChar letter) const
    {
        int n = 0;
        const QChar lower = letter.toLower();
        while (m_pos + n < m_pattern.size() && m_pattern.at(m_pos + n).toLower() == lower)
            ++n;
        return n;
    }

    int takeRun(QChar letter)
    {
        const int n = runLength(letter);
        m_pos += n;
        return n;
    }

    bool startsWithAt(int pos, QLatin1String text) const
    {
        return QStringView(m_pattern).mid(pos).startsWith(text, Qt::CaseInsensitive);
    }

    // True when an am/pm token follows before the next hour token.
    bool twelveHourClockAhead() const
    {
        for (int p = m_pos; p < m_pattern.size(); ++p) {
            const QChar c = m_pattern.at(p).toLower();
            if (c == u'\'' || c == u'"') {
                const int close = m_pattern.indexOf(m_pattern.at(p), p + 1);
                if (close < 0)
                    return false;
                p = close;
            } else if (c == u'h') {
                return false;
            } else if (c == u'a'
                && (startsWithAt(p, QLatin1String("am/pm")) || startsWithAt(p, QLatin1String("a/p"))
                    || startsWithAt(p, QLatin1String("ampm")))) {
                return true;
            }
        }
        return false;
    }

    void writeToken(QChar token, QChar raw)
    {
        switch (token.unicode()) {
        case u'd':
            writeDay(takeRun(raw));
            return;
        case u'm':
            writeMonth(takeRun(raw));
            return;
        case u'y': {
            const int n = takeRun(raw);
            m_out += n <= 2 ? Number(m_date.year() % 100, 2) : Number(m_date.year(), 4);
            return;
        }
        case u'h':
            writeHour(takeRun(raw));
            return;
        case u'n':
            m_out += Number(m_time.minute(), takeRun(raw) == 1 ? 1 : 2);
            return;
        case u's':
            m_out += Number(m_time.second(), takeRun(raw) == 1 ? 1 : 2);
            return;
        case u'z':
            m_out += Number(m_time.msec(), takeRun(raw) == 1 ? 1 : 3);
            return;
        case u't':
            m_out += takeRun(raw) == 1 ? LocaleShortTime(m_time, m_locale) : LocaleLongTime(m_time, m_locale);
            return;
        case u'c':
            ++m_pos;
            m_out += LocaleShortDate(m_date, m_locale) + u' ' + LocaleLongTime(m_time, m_locale);
            return;
        case u'a':
            writeMarker();
            return;
        case u'/':
            ++m_pos;
            m_out += LocaleDateSeparator(m_locale);
            return;
        case u':':
            ++m_pos;
            m_out += LocaleTimeSeparator(m_locale);
            return;
        case u'\'':
        case u'"':
            writeQuoted(raw);
            return;
        default:
            ++m_pos;
            m_out += raw;
            return;
        }
    }

    void writeDay(int n)
    {
        switch (n) {
        case 1:
            m_out += QString::number(m_date.day());
            break;
        case 2:
            m_out += Number(m_date.day(), 2);
            break;
        case 3:
            m_out += m_locale.dayName(m_date.dayOfWeek(), QLocale::ShortFormat);
            break;
        case 4:
            m_out += m_locale.dayName(m_date.dayOfWeek(), QLocale::LongFormat);
            break;
        case 5:
            m_out += LocaleShortDate(m_date, m_locale);
            break;
        default:
            m_out += LocaleLongDate(m_date, m_locale);
            break;
        }
    }

    void writeMonth(int n)
    {
        switch (n) {
        case 1:
            m_out += QString::number(m_date.month());
            break;
        case 2:
            m_out += Number(m_date.month(), 2);
            break;
        case 3:
            m_out += m_locale.monthName(m_date.month(), QLocale::ShortFormat);
            break;
        default:
            m_out += m_locale.monthName(m_date.month(), QLocale::LongFormat);
            break;
        }
    }

    void writeHour(int n)
    {
        int hour = m_time.hour();
        if (twelveHourClockAhead()) {
            hour %= 12;
            if (hour == 0)
                hour = 12;
        }
        m_out += Number(hour, n == 1 ? 1 : 2);
    }

    // "am/pm" and "a/p" copy the marker in the case the pattern writes it;
    // "ampm" takes the locale's own texts. A lone "a" is plain text.
    void writeMarker()
    {
        const bool pm = m_time.hour() >= 12;
        if (startsWithAt(m_pos, QLatin1String("am/pm"))) {
            m_out += m_pattern.mid(m_pos + (pm ? 3 : 0), 2);
            m_pos += 5;
        } else if (startsWithAt(m_pos, QLatin1String("a/p"))) {
            m_out += m_pattern.at(m_pos + (pm ? 2 : 0));
            m_pos += 3;
        } else if (startsWithAt(m_pos, QLatin1String("ampm"))) {
            m_out += pm ? m_locale.pmText() : m_locale.amText();
            m_pos += 4;
        } else {
            m_out += m_pattern.at(m_pos);
            ++m_pos;
        }
    }

    void writeQuoted(QChar quote)
    {
        const int close = m_pattern.indexOf(quote, m_pos + 1);
        const int end = close < 0 ? m_pattern.size() : close;
        m_out += QStringView(m_pattern).mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? end : close + 1;
    }

    const QString &m_pattern;
    const QDate m_date;
    const QTime m_time;
    const QLocale &m_locale;
    QString m_out;
    int m_pos = 0;
    QChar m_lastLetter;
};

} // namespace

QString FormatDateTime(const QString &pattern, const QDateTime &moment, const QLocale &locale)
{
    return PatternWriter(pattern, moment, locale).write();
}

QChar LocaleDateSeparator(const QLocale &locale)
{
    return FirstSeparator(locale.dateFormat(QLocale::ShortFormat), u'/');
}

QChar LocaleTimeSeparator(const QLocale &locale)
{
    return FirstSeparator(locale.timeFormat(QLocale::ShortFormat), u':');
}

QString LocaleShortDate(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString LocaleLongDate(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::LongFormat);
}

QString LocaleShortTime(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, WithoutZone(locale.timeFormat(QLocale::ShortFormat)));
}

QString LocaleLongTime(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, LocaleLongTimeFormat(locale));
}

QString LocaleLongTimeFormat(const QLocale &locale)
{
    return WithoutZone(locale.timeFormat(QLocale::LongFormat));
}
