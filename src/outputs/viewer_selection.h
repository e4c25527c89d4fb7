#pragma once

#include <QString>

#include <optional>

// What the image viewer does with its file list: which folder the list
// shows, what selecting an entry does to the picture and the status bar, and
// where opening an entry leads. The list holds the ".jpg" files and the
// folders of one folder, and the parent folder as " Up one level".
class ViewerSelection {
public:
    enum class Kind { File, Folder, UpOneLevel };
    struct Entry {
        QString path; // full path; the parent folder itself for UpOneLevel
        Kind kind = Kind::File;
    };

    enum class Picture { Keep, Clear, Load };
    struct Outcome {
        Picture picture = Picture::Keep;
        QString picturePath; // for Load
        std::optional<QString> statusText; // set when the status bar changes
    };

    // The caption the list shows for the parent folder entry.
    static QString upOneLevelCaption() { return QStringLiteral(" Up one level"); }

    explicit ViewerSelection(const QString &folder = QString());

    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);
    // The folder above the shown one; empty at the file system's root.
    QString parentFolder() const;

    // The entry of the shown folder called name in the list ("..", the
    // parent folder's entry, among them).
    Entry entry(const QString &name, bool isFolder) const;

    // A changed selection (none when nothing is selected). showPath puts the
    // entry's full path on the status bar. A file with the ".jpg" extension
    // in any case is loaded; any other entry keeps the picture shown, only
    // an empty selection clears it.
    static Outcome selected(const std::optional<Entry> &entry, bool showPath);

    // Opening an entry (double click, Enter): a folder is entered and the
    // parent entry goes up; true when the shown folder changed. A file
    // changes nothing here.
    bool open(const Entry &entry);
    // Backspace: up one folder; false at the root.
    bool up();

    static bool isPicture(const QString &path);

private:
    QString m_folder;
};
