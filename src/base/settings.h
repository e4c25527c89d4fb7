#pragma once

#include "base/settings_schema.h"

#include <QDateTime>
#include <QLocale>
#include <QSize>
#include <QString>
#include <QTime>
#include <QVariant>

#include <array>

// Every key of the settings file with its value in memory. The main window
// replays LoadOrder() to put the values into its controls, and writes the
// controls' values back before SaveIni.
class Settings {
public:
    explicit Settings(SettingsContext context);

    // Reads the file; every key the file lacks, or holds in a form that does
    // not read, takes its default. The axis keys are read only when SaveAxes
    // is set; otherwise they hold the fixed limits. True when the file was
    // read; false when it is missing or unreadable (all keys then hold their
    // defaults).
    bool Load(const QString &path);

    // Writes every key in the key table's order over the file as it is on
    // disk now, keeping the sections and keys the program does not know, in
    // one atomic step (the old file stays whole on failure). The axis keys
    // are written only when SaveAxes is set; a DeleteTime that is not a time
    // of day and a value that cannot be held on one line are skipped. False
    // when the file could not be read or written; SaveFailedText says so.
    bool SaveIni(const QString &path) const;

    // "Unable to write to <path>".
    static QString SaveFailedText(const QString &path);

    // The default of a key in this context.
    QVariant defaultValue(SettingKey key) const;
    void resetToDefaults();

    // Typed access; the key's type must match (Integer, Boolean, String or
    // Password, TimeOfDay).
    int integer(SettingKey key) const;
    bool flag(SettingKey key) const;
    QString text(SettingKey key) const;
    QTime time(SettingKey key) const; // invalid: no time of day
    void setInteger(SettingKey key, int value);
    void setFlag(SettingKey key, bool value);
    void setText(SettingKey key, const QString &value);
    void setTime(SettingKey key, const QTime &value);

    // An axis limit of the chart as it will be stored: truncated toward zero.
    void setAxisLimit(SettingKey key, double limit);

    // TrimTime read as a time of day; nothing when it does not read as one
    // (no trim is then scheduled).
    std::optional<QTime> trimTimeOfDay() const;
    // A time of day as TrimTime holds it, "HH:mm".
    QString trimTimeText(const QTime &time) const;

    const SettingsContext &context() const { return m_context; }

private:
    QVariant readValue(const class IniFile &file, SettingKey key) const;
    QByteArray storedBytes(SettingKey key, bool &skip) const;

    SettingsContext m_context;
    std::array<QVariant, kSettingKeyCount> m_values;
    // The password exactly as the file held it, so a password whose bytes
    // are not UTF-8 is written back unchanged while nobody edits it.
    QByteArray m_loadedPasswordBytes;
};
