#include "graphs/point_label.h"

#include "base/date_time_pattern.h"

LabelForm LabelFormFor(bool dateStamp)
{
    return dateStamp ? LabelForm::DayAndTime : LabelForm::Time;
}

int LabelSpacing(bool dateStamp)
{
    return dateStamp ? 30 : 100;
}

QString FormatPointLabel(LabelForm form, const QDateTime &moment, const QLocale &locale)
{
    const QString time = FormatDateTime(QStringLiteral(" hh:mm:ss "), moment, locale);
    if (form == LabelForm::Time)
        return time;
    return FormatDateTime(QStringLiteral(" ddd dd "), moment, locale) + QChar(13) + time;
}
