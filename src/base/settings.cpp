#include "base/settings.h"

#include "base/date_time_pattern.h"
#include "base/ini_file.h"
#include "base/int_parsing.h"
#include "base/time_of_day.h"

#include <QFileInfo>

namespace {

// Strings longer than this are cut when read, as the profile service did.
constexpr qsizetype kMaxStringLength = 2047;

QByteArray Latin1(QLatin1String text)
{
    return QByteArray(text.data(), text.size());
}

// The INI layer drops blanks around a value, so a cut that ends in blanks
// would not read back as it saves: the next save would drop them. The cut
// goes before them too.
template<typename Text> void ChopBlanks(Text &text)
{
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
}

QString ReadString(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.size() > kMaxStringLength) {
        qsizetype cut = kMaxStringLength;
        if (text.at(cut - 1).isHighSurrogate())
            --cut;
        text.truncate(cut);
        ChopBlanks(text);
    }
    return text;
}

// The stored password, cut as a long string is, still scrambled.
QByteArray StoredPassword(const QByteArray &stored)
{
    QByteArray bytes = stored.left(kMaxStringLength);
    ChopBlanks(bytes);
    return bytes;
}

} // namespace

Settings::Settings(SettingsContext context) : m_context(std::move(context))
{
    resetToDefaults();
}

QString Settings::SaveFailedText(const QString &path)
{
    return QStringLiteral("Unable to write to %1").arg(path);
}

QVariant Settings::defaultValue(SettingKey key) const
{
    return DefaultOf(key, m_context);
}

void Settings::resetToDefaults()
{
    for (const SettingRow &row : SettingTable())
        m_values[static_cast<std::size_t>(row.key)] = defaultValue(row.key);
    m_loadedPasswordBytes.clear();
}

bool Settings::Load(const QString &path)
{
    resetToDefaults();
    IniFile file;
    if (file.load(path) != IniFile::LoadResult::Read)
        return false;
    for (const SettingKey key : LoadOrder()) {
        if (IsAxisKey(key) && !flag(SettingKey::SaveAxes))
            continue; // the fixed limits stand
        m_values[static_cast<std::size_t>(key)] = readValue(file, key);
    }
    if (const auto stored
        = file.value(Latin1(RowOf(SettingKey::Password).section), Latin1(RowOf(SettingKey::Password).name)))
        m_loadedPasswordBytes = EnDeCrypt(StoredPassword(*stored));
    return true;
}

QVariant Settings::readValue(const IniFile &file, SettingKey key) const
{
    const SettingRow &row = RowOf(key);
    const QVariant fallback = defaultValue(key);
    const auto stored = file.value(Latin1(row.section), Latin1(row.name));
    if (!stored)
        return fallback;
    switch (row.type) {
    case SettingType::Integer:
        return StrToIntDef(QString::fromUtf8(*stored), fallback.toInt());
    case SettingType::Boolean:
        return StrToIntDef(QString::fromUtf8(*stored), fallback.toBool() ? 1 : 0) != 0;
    case SettingType::String:
        return ReadString(*stored);
    case SettingType::Password:
        return QString::fromUtf8(EnDeCrypt(StoredPassword(*stored)));
    case SettingType::TimeOfDay: {
        // A text that is no time of day leaves no time: nothing is scheduled,
        // and the save leaves the stored text alone.
        const auto time = ParseTimeOfDay(ReadString(*stored), m_context.locale);
        return time ? *time : QTime();
    }
    }
    return fallback;
}

QByteArray Settings::storedBytes(SettingKey key, bool &skip) const
{
    const SettingRow &row = RowOf(key);
    const QVariant &value = m_values[static_cast<std::size_t>(key)];
    skip = false;
    switch (row.type) {
    case SettingType::Integer:
        return QByteArray::number(value.toInt());
    case SettingType::Boolean:
        return value.toBool() ? QByteArray("1") : QByteArray("0");
    case SettingType::String:
        return value.toString().toUtf8();
    case SettingType::Password: {
        const QString password = value.toString();
        const bool unchanged
            = !m_loadedPasswordBytes.isEmpty() && QString::fromUtf8(m_loadedPasswordBytes) == password;
        return EnDeCrypt(unchanged ? m_loadedPasswordBytes : password.toUtf8());
    }
    case SettingType::TimeOfDay: {
        const QTime time = value.toTime();
        skip = !time.isValid();
        return LocaleLongTime(time, m_context.locale).toUtf8();
    }
    }
    skip = true;
    return {};
}

bool Settings::SaveIni(const QString &path) const
{
    // Start from the file as it is, so everything the program does not write
    // stays as it was.
    IniFile file;
    if (file.load(path) == IniFile::LoadResult::Failed)
        return false;
    const bool saveAxes = flag(SettingKey::SaveAxes);
    for (const SettingRow &row : SettingTable()) {
        if (IsAxisKey(row.key) && !saveAxes)
            continue;
        bool skip = false;
        const QByteArray bytes = storedBytes(row.key, skip);
        if (!skip)
            file.setValue(Latin1(row.section), Latin1(row.name), bytes);
    }
    return file.save(path);
}

int Settings::integer(SettingKey key) const
{
    Q_ASSERT(RowOf(key).type == SettingType::Integer);
    return m_values[static_cast<std::size_t>(key)].toInt();
}

bool Settings::flag(SettingKey key) const
{
    Q_ASSERT(RowOf(key).type == SettingType::Boolean);
    return m_values[static_cast<std::size_t>(key)].toBool();
}

QString Settings::text(SettingKey key) const
{
    Q_ASSERT(RowOf(key).type == SettingType::String || RowOf(key).type == SettingType::Password);
    return m_values[static_cast<std::size_t>(key)].toString();
}

QTime Settings::time(SettingKey key) const
{
    Q_ASSERT(RowOf(key).type == SettingType::TimeOfDay);
    return m_values[static_cast<std::size_t>(key)].toTime();
}

void Settings::setInteger(SettingKey key, int value)
{
    Q_ASSERT(RowOf(key).type == SettingType::Integer);
    m_values[static_cast<std::size_t>(key)] = value;
}

void Settings::setFlag(SettingKey key, bool value)
{
    Q_ASSERT(RowOf(key).type == SettingType::Boolean);
    m_values[static_cast<std::size_t>(key)] = value;
}

void Settings::setText(SettingKey key, const QString &value)
{
    Q_ASSERT(RowOf(key).type == SettingType::String || RowOf(key).type == SettingType::Password);
    m_values[static_cast<std::size_t>(key)] = value;
}

void Settings::setTime(SettingKey key, const QTime &value)
{
    Q_ASSERT(RowOf(key).type == SettingType::TimeOfDay);
    // Stored texts carry whole seconds.
    m_values[static_cast<std::size_t>(key)]
        = value.isValid() ? QTime(value.hour(), value.minute(), value.second()) : QTime();
}

void Settings::setAxisLimit(SettingKey key, double limit)
{
    Q_ASSERT(IsAxisKey(key));
    setInteger(key, TruncatedAxisLimit(limit));
}

std::optional<QTime> Settings::trimTimeOfDay() const
{
    return ParseTimeOfDay(text(SettingKey::TrimTime), m_context.locale);
}

QString Settings::trimTimeText(const QTime &time) const
{
    return FormatDateTime(QStringLiteral("HH:mm"), QDateTime(QDate(2000, 1, 1), time), m_context.locale);
}
