#pragma once

#include <QString>
#include <QStringList>

// A name in folder for a file called name that nothing there has yet: name
// itself when free, otherwise "stem (2).ext", "stem (3).ext" and so on.
QString FreeFileName(const QString &folder, const QString &name);

// Pastes the files into folder: copies them, or moves them for a cut. A name
// already taken gets a free one, so nothing is overwritten; moving a file
// into its own folder leaves it where it is. Folders are moved but not
// copied. Returns the sources that could not be pasted.
QStringList PasteFiles(const QStringList &sources, const QString &folder, bool move);
