#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// The settings file's INI format, read and written as bytes.
//
// A line "[name]" opens a section; a line "key=value" holds a value. Section
// and key names are matched without regard to ASCII letter case; the first
// of duplicate sections or keys wins. Blanks around keys and values are not
// part of them. Every other line (comments, blank lines, lines without "=")
// and every section or key the program does not know is kept as it was, so a
// save changes only the values the program writes. Values are bytes: text
// that is not UTF-8 (the scrambled password) comes back unchanged. A byte
// order mark at the start is skipped and not written back.
class IniFile {
public:
    enum class LoadResult { Read, Missing, Failed };

    // Replaces the contents with the file at path. A missing file reads as
    // empty; a file that exists but cannot be read leaves the contents empty
    // and gives Failed.
    LoadResult load(const QString &path);

    // Replaces the contents with the given file bytes.
    void parse(QByteArrayView bytes);

    // The file bytes: every line as read, changed values in place, new keys
    // at the end of their section, new sections at the end.
    QByteArray toBytes() const;

    // Writes the file in one step: a temporary file in the same folder,
    // flushed to disk and renamed over the old one, readable and writable by
    // its owner only. On failure the old file stays whole and errorString
    // says why.
    bool save(const QString &path);
    QString errorString() const { return m_error; }

    // The value of key in section, or nothing when either is absent.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Sets a value, adding the key or the section when it is missing. A
    // value holding a line break or a NUL byte cannot be stored as one line:
    // it is refused (false) and the old value stays.
    bool setValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    bool isEmpty() const { return m_sections.empty(); }

private:
    struct Entry {
        QByteArray raw; // the line as it will be written, without its line end
        QByteArray key; // empty for lines that hold no value
        QByteArray value;
    };
    struct Section {
        QByteArray header; // the "[name]" line; empty for lines before any section
        QByteArray name;
        std::vector<Entry> entries;
    };

    Section *findSection(QByteArrayView name);
    const Section *findSection(QByteArrayView name) const;
    void parseLine(QByteArrayView line);

    std::vector<Section> m_sections;
    QByteArray m_lineEnd = "\n";
    QString m_error;
};
