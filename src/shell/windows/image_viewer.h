#pragma once

#include "outputs/viewer_selection.h"

#include <QDialog>
#include <QPoint>

#include <functional>

class ImageListModel;
class QAction;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QModelIndex;
class QScrollArea;
class QStatusBar;
class QTreeView;

// The image viewer: the ".jpg" files and the folders of one folder on the
// left, the selected picture at its natural size on the right, the selected
// entry's path in the status bar. The list's file actions (copy, cut,
// paste, open, new folder, rename, delete to the trash, find, refresh) have
// the keys a file manager gives them.
class TForm3 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm3)

public:
    // What the viewer asks of the desktop; the desktop's own unless
    // replaced (tests answer them themselves).
    struct Desktop {
        // Opens the file with the program the desktop associates with it.
        std::function<void(const QString &path)> open;
        // Tells of a file action that failed.
        std::function<void(QWidget *parent, const QString &text)> tell;
        // The text to find in the names; empty when cancelled.
        std::function<QString(QWidget *parent)> askFindText;
    };

    // Opens on folder (the capture folder at start-up).
    explicit TForm3(const QString &folder, QWidget *parent = nullptr);
    ~TForm3() override;

    void setDesktop(Desktop desktop) { m_desktop = std::move(desktop); }

    // Shows the viewer modally on folder, at the left edge of the anchor's
    // window and dy pixels below its top.
    int showModalOver(const QWidget &anchor, int dy, const QString &folder);
    // The steps before the viewer shows: its place, and the folder it lists.
    void placeOver(const QWidget &anchor, int dy);
    void FormShow(const QString &folder);

    QString folder() const { return m_selection.folder(); }
    // The list's folder changes; the selection goes with the old folder.
    void setFolder(const QString &folder);
    // The entry of the shown folder called name selected as a click would;
    // false when the list has no such entry (yet).
    bool selectEntry(const QString &name);
    void clearSelection();
    // The picture shown; null when none.
    QImage picture() const;
    QString statusText() const;

    void imageListBoxChange();
    void imageListBoxMouseUp();
    void imageListBoxMouseMove();
    void imageListBoxOpen(const QModelIndex &index);
    void findFile(const QString &text);

    QComboBox *Combo = nullptr;
    QTreeView *imageListBox = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QLabel *Image1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

    QAction *actOpen = nullptr;
    QAction *actCut = nullptr;
    QAction *actCopy = nullptr;
    QAction *actPaste = nullptr;
    QAction *actDelete = nullptr;
    QAction *actRename = nullptr;
    QAction *actNewFolder = nullptr;
    QAction *actSelectAll = nullptr;
    QAction *actBack = nullptr;
    QAction *actFind = nullptr;
    QAction *actRefresh = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void showListFolder();
    void buildActions();
    void fillCombo();
    void ComboChange(int item);
    void selectionChanged(bool showPath, bool evenIfSame);
    void applyOutcome(const ViewerSelection::Outcome &outcome);
    void showPicture(const QString &path);
    void clearPicture();
    std::optional<ViewerSelection::Entry> selectedEntry() const;
    ViewerSelection::Entry entryAt(const QModelIndex &index) const;
    QStringList selectedPaths() const;
    QModelIndex rootIndex() const;

    void openSelected();
    void copySelected(bool cut);
    void paste();
    void deleteSelected();
    void renameSelected();
    void newFolder();
    void back();
    void askAndFind();
    void refresh();

    ViewerSelection m_selection;
    std::optional<QPoint> m_place; // the frame's top left, for the next showing
    Desktop m_desktop;
    QFileSystemModel *m_files = nullptr; // child of this
    ImageListModel *m_list = nullptr; // child of this
    QLabel *m_statusText = nullptr;
    QString m_shownFolder;
    QString m_lastEntryPath;
    bool m_hasEntry = false;
};
