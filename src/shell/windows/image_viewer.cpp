#include "shell/windows/image_viewer.h"

#include "outputs/file_paste.h"
#include "outputs/jpeg_codec.h"
#include "shell/windows/image_list_model.h"

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace {

// A captured graph is a few hundred kilobytes; a file far beyond that is
// not read into memory just to be shown.
constexpr qint64 MaxPictureFileBytes = 64 * 1024 * 1024;
constexpr int NameColumnWidth = 270;
constexpr int ListWidth = 277;
constexpr int ListHeight = 405;

const QString CutSelectionFormat = QStringLiteral("application/x-kde-cutselection");
const QString CopiedFilesFormat = QStringLiteral("x-special/gnome-copied-files");

TForm3::Desktop DesktopOwn()
{
    TForm3::Desktop desktop;
    desktop.open = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    desktop.tell = [](QWidget *parent, const QString &text) {
        QMessageBox::warning(parent, QStringLiteral("Linewarden"), text);
    };
    desktop.askFindText = [](QWidget *parent) {
        return QInputDialog::getText(
            parent, QStringLiteral("Find File"), QStringLiteral("Find the file whose name contains:"));
    };
    return desktop;
}

// The folder to show for a text: the nearest folder that exists on its
// way up, the home folder for no text at all.
QString ExistingFolder(const QString &text)
{
    QString folder = text.trimmed().isEmpty() ? QDir::homePath() : QDir(text).absolutePath();
    while (!QFileInfo(folder).isDir() && !QDir(folder).isRoot())
        folder = QFileInfo(folder).absolutePath();
    return QDir::cleanPath(folder);
}

QString FileNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QFileInfo(path).fileName());
    return names.join(QStringLiteral(", "));
}

} // namespace

TForm3::TForm3(const QString &folder, QWidget *parent) : QDialog(parent), m_desktop(DesktopOwn())
{
    setWindowTitle(QStringLiteral("Linewarden  - Image Viewer"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setMinimumSize(875, 560);
    setSizeGripEnabled(true);

    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::AllDirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDot);
    m_files->setNameFilters({ QStringLiteral("*.jpg") });
    m_files->setNameFilterDisables(false);
    // Renaming, new folders and pasting change the folder through the model.
    m_files->setReadOnly(false);
    m_list = new ImageListModel(*m_files, this);
    m_list->sort(0);

    buildControls();
    buildActions();
    setFolder(folder);
}

TForm3::~TForm3() = default;

void TForm3::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter, 1);

    auto *left = new QWidget(splitter);
    auto *column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    Combo = new QComboBox(left);
    Combo->setEditable(false);
    Combo->setMaxVisibleItems(10);
    connect(Combo, &QComboBox::activated, this, &TForm3::ComboChange);
    column->addWidget(Combo);

    imageListBox = new QTreeView(left);
    imageListBox->setModel(m_list);
    imageListBox->setRootIsDecorated(false);
    imageListBox->setItemsExpandable(false);
    imageListBox->setUniformRowHeights(true);
    imageListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    imageListBox->setSelectionBehavior(QAbstractItemView::SelectRows);
    imageListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Only the names: size, type and date stay hidden.
    for (int column = 1; column < m_files->columnCount(); ++column)
        imageListBox->hideColumn(column);
    imageListBox->setColumnWidth(0, NameColumnWidth);
    imageListBox->header()->setSectionsMovable(false);
    imageListBox->setMinimumSize(ListWidth, ListHeight);
    imageListBox->setMouseTracking(true);
    imageListBox->viewport()->installEventFilter(this);
    column->addWidget(imageListBox, 1);

    ScrollBox1 = new QScrollArea(splitter);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new QLabel;
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);
    ScrollBox1->viewport()->setMouseTracking(true);
    ScrollBox1->viewport()->installEventFilter(this);
    clearPicture();

    splitter->addWidget(left);
    splitter->addWidget(ScrollBox1);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    m_statusText = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_statusText, 1);
    layout->addWidget(StatusBar1);

    connect(imageListBox->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &TForm3::imageListBoxChange);
    connect(imageListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &TForm3::imageListBoxChange);
    connect(imageListBox, &QAbstractItemView::activated, this, &TForm3::imageListBoxOpen);
}

void TForm3::buildActions()
{
    const auto action = [this](const QString &text, const QKeySequence &keys, std::function<void()> slot) {
        auto *item = new QAction(text, imageListBox);
        item->setShortcut(keys);
        item->setShortcutContext(Qt::WidgetShortcut);
        item->setShortcutVisibleInContextMenu(true);
        imageListBox->addAction(item);
        connect(item, &QAction::triggered, this, std::move(slot));
        return item;
    };
    const auto separator = [this] {
        auto *line = new QAction(imageListBox);
        line->setSeparator(true);
        imageListBox->addAction(line);
    };
    actOpen = action(QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openSelected(); });
    actBack = action(QStringLiteral("Up One Level"), QKeySequence(Qt::Key_Backspace), [this] { back(); });
    separator();
    actCut
        = action(QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X), [this] { copySelected(true); });
    actCopy
        = action(QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copySelected(false); });
    actPaste = action(QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), [this] { paste(); });
    separator();
    actDelete = action(QStringLiteral("Delete"), QKeySequence(Qt::Key_Delete), [this] { deleteSelected(); });
    actRename = action(QStringLiteral("Rename"), QKeySequence(Qt::Key_F2), [this] { renameSelected(); });
    actNewFolder
        = action(QStringLiteral("New Folder"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newFolder(); });
    separator();
    actSelectAll = action(QStringLiteral("Select All"), QKeySequence(Qt::CTRL | Qt::Key_A),
        [this] { imageListBox->selectAll(); });
    actFind = action(QStringLiteral("Find File..."), QKeySequence(Qt::Key_F3), [this] { askAndFind(); });
    actRefresh = action(QStringLiteral("Refresh"), QKeySequence(Qt::Key_F5), [this] { refresh(); });
    imageListBox->setContextMenuPolicy(Qt::ActionsContextMenu);
}

int TForm3::showModalOver(const QWidget &anchor, int dy, const QString &folder)
{
    placeOver(anchor, dy);
    FormShow(folder);
    return exec();
}

void TForm3::placeOver(const QWidget &anchor, int dy)
{
    // A window's position is its frame's top left.
    const QWidget &window = *anchor.window();
    m_place = window.pos() + QPoint(0, dy);
    move(*m_place);
}

// A window not shown yet may not know its frame: the place is set once more
// when it is there.
void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_place)
        move(*std::exchange(m_place, std::nullopt));
}

// Each showing lists the folder named now, which may have changed since.
void TForm3::FormShow(const QString &folder)
{
    setFolder(folder);
    imageListBox->viewport()->update();
    if (!selectedEntry())
        clearPicture();
}

void TForm3::setFolder(const QString &folder)
{
    m_selection.setFolder(ExistingFolder(folder));
    showListFolder();
}

void TForm3::showListFolder()
{
    const QString folder = m_selection.folder();
    if (folder != m_shownFolder)
        imageListBox->selectionModel()->clear();
    m_shownFolder = folder;
    imageListBox->setRootIndex(m_list->mapFromSource(m_files->setRootPath(folder)));
    fillCombo();
}

// The path field lists the shown folder and every folder above it, and
// the home folder.
void TForm3::fillCombo()
{
    QStringList folders;
    for (QString folder = m_selection.folder(); !folder.isEmpty();) {
        folders.append(folder);
        folder = QDir(folder).isRoot() ? QString() : QFileInfo(folder).absolutePath();
    }
    const QString home = QDir::cleanPath(QDir::homePath());
    if (!folders.contains(home))
        folders.append(home);
    const QSignalBlocker quiet(Combo);
    Combo->clear();
    const QAbstractFileIconProvider *icons = m_files->iconProvider();
    for (const QString &folder : folders) {
        Combo->addItem(
            icons ? icons->icon(QFileInfo(folder)) : QIcon(), QDir::toNativeSeparators(folder), folder);
    }
    Combo->setCurrentIndex(0);
}

void TForm3::ComboChange(int item)
{
    const QString folder = Combo->itemData(item).toString();
    if (!folder.isEmpty() && folder != m_selection.folder())
        setFolder(folder);
}

QModelIndex TForm3::rootIndex() const
{
    return imageListBox->rootIndex();
}

ViewerSelection::Entry TForm3::entryAt(const QModelIndex &index) const
{
    const QModelIndex source = m_list->mapToSource(index.siblingAtColumn(0));
    return m_selection.entry(m_files->fileName(source), m_files->isDir(source));
}

// The selected entry: the current one when it is selected, else the first
// selected; none when nothing in the shown folder is selected.
std::optional<ViewerSelection::Entry> TForm3::selectedEntry() const
{
    const QItemSelectionModel *selection = imageListBox->selectionModel();
    const QModelIndex current = imageListBox->currentIndex();
    if (current.isValid() && current.parent() == rootIndex()
        && selection->isRowSelected(current.row(), current.parent()))
        return entryAt(current);
    for (const QModelIndex &row : selection->selectedRows(0)) {
        if (row.parent() == rootIndex())
            return entryAt(row);
    }
    return std::nullopt;
}

// The paths of the selected files and folders; the way up is not one.
QStringList TForm3::selectedPaths() const
{
    QStringList paths;
    for (const QModelIndex &row : imageListBox->selectionModel()->selectedRows(0)) {
        if (row.parent() == rootIndex() && !m_list->isUpOneLevel(row))
            paths.append(entryAt(row).path);
    }
    return paths;
}

bool TForm3::selectEntry(const QString &name)
{
    const QModelIndex root = rootIndex();
    for (int row = 0; row < m_list->rowCount(root); ++row) {
        const QModelIndex index = m_list->index(row, 0, root);
        if (m_files->fileName(m_list->mapToSource(index)) == name) {
            imageListBox->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return true;
        }
    }
    return false;
}

void TForm3::clearSelection()
{
    imageListBox->selectionModel()->clear();
}

QImage TForm3::picture() const
{
    return Image1->pixmap().toImage();
}

QString TForm3::statusText() const
{
    return m_statusText->text();
}

void TForm3::imageListBoxChange()
{
    selectionChanged(true, false);
}

void TForm3::imageListBoxMouseUp()
{
    selectionChanged(false, true);
}

void TForm3::imageListBoxMouseMove()
{
    imageListBox->viewport()->update();
    if (!selectedEntry())
        clearPicture();
}

// A change of selection and a release of the mouse over the list both
// come here; a change that leaves the same entry selected (the selection
// and the current entry report it each) is done once.
void TForm3::selectionChanged(bool showPath, bool evenIfSame)
{
    imageListBox->viewport()->update();
    const std::optional<ViewerSelection::Entry> entry = selectedEntry();
    const QString path = entry ? entry->path : QString();
    if (!evenIfSame && entry.has_value() == m_hasEntry && path == m_lastEntryPath)
        return;
    m_hasEntry = entry.has_value();
    m_lastEntryPath = path;
    applyOutcome(ViewerSelection::selected(entry, showPath));
}

void TForm3::applyOutcome(const ViewerSelection::Outcome &outcome)
{
    if (outcome.statusText)
        m_statusText->setText(*outcome.statusText);
    if (outcome.picture == ViewerSelection::Picture::Clear)
        clearPicture();
    else if (outcome.picture == ViewerSelection::Picture::Load)
        showPicture(outcome.picturePath);
}

// A file that cannot be read or is no JPEG leaves the picture shown.
void TForm3::showPicture(const QString &path)
{
    QFile file(path);
    if (file.size() > MaxPictureFileBytes || !file.open(QIODevice::ReadOnly))
        return;
    const QImage picture = JpegCodec::decode(file.readAll());
    if (picture.isNull())
        return;
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->adjustSize();
}

void TForm3::clearPicture()
{
    Image1->clear();
    Image1->resize(0, 0);
}

void TForm3::imageListBoxOpen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const ViewerSelection::Entry entry = entryAt(index);
    if (entry.kind == ViewerSelection::Kind::File)
        m_desktop.open(entry.path);
    else if (m_selection.open(entry))
        showListFolder();
}

void TForm3::openSelected()
{
    imageListBoxOpen(imageListBox->currentIndex());
}

void TForm3::back()
{
    if (m_selection.up())
        showListFolder();
}

// The selected files on the clipboard as the desktop's file managers put
// them there, marked as cut or copied.
void TForm3::copySelected(bool cut)
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty())
        return;
    QList<QUrl> urls;
    QByteArray copied = cut ? QByteArrayLiteral("cut") : QByteArrayLiteral("copy");
    for (const QString &path : paths) {
        urls.append(QUrl::fromLocalFile(path));
        copied += '\n' + urls.last().toEncoded();
    }
    auto *mime = new QMimeData;
    mime->setUrls(urls);
    mime->setData(CopiedFilesFormat, copied);
    mime->setData(CutSelectionFormat, cut ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TForm3::paste()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasUrls())
        return;
    const bool cut
        = mime->data(CutSelectionFormat) == "1" || mime->data(CopiedFilesFormat).startsWith("cut\n");
    QStringList sources;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            sources.append(url.toLocalFile());
    }
    const QStringList failed = PasteFiles(sources, m_selection.folder(), cut);
    // Files cut are pasted once: the clipboard names them no more.
    if (cut && failed.size() < sources.size())
        QGuiApplication::clipboard()->clear();
    if (!failed.isEmpty())
        m_desktop.tell(this, QStringLiteral("Could not paste: ") + FileNames(failed));
}

void TForm3::deleteSelected()
{
    QStringList failed;
    for (const QString &path : selectedPaths()) {
        if (!QFile::moveToTrash(path))
            failed.append(path);
    }
    if (!failed.isEmpty())
        m_desktop.tell(this, QStringLiteral("Could not move to the trash: ") + FileNames(failed));
}

void TForm3::renameSelected()
{
    const QModelIndex current = imageListBox->currentIndex();
    if (current.isValid() && !m_list->isUpOneLevel(current))
        imageListBox->edit(current.siblingAtColumn(0));
}

void TForm3::newFolder()
{
    const QString folder = m_selection.folder();
    const QModelIndex made
        = m_files->mkdir(m_files->index(folder), FreeFileName(folder, QStringLiteral("New Folder")));
    if (!made.isValid()) {
        m_desktop.tell(
            this, QStringLiteral("Could not create a folder in ") + QDir::toNativeSeparators(folder));
        return;
    }
    const QModelIndex shown = m_list->mapFromSource(made);
    imageListBox->selectionModel()->setCurrentIndex(
        shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    imageListBox->edit(shown);
}

void TForm3::askAndFind()
{
    const QString text = m_desktop.askFindText(this);
    if (!text.isEmpty())
        findFile(text);
}

// Selects the next entry after the current one whose name holds text, in
// any case, going round to the top.
void TForm3::findFile(const QString &text)
{
    const QModelIndex root = rootIndex();
    const int rows = m_list->rowCount(root);
    const int start = imageListBox->currentIndex().isValid() ? imageListBox->currentIndex().row() + 1 : 0;
    for (int step = 0; step < rows; ++step) {
        const QModelIndex index = m_list->index((start + step) % rows, 0, root);
        if (!m_list->isUpOneLevel(index)
            && m_files->fileName(m_list->mapToSource(index)).contains(text, Qt::CaseInsensitive)) {
            imageListBox->selectionModel()->setCurrentIndex(
                index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            imageListBox->scrollTo(index);
            return;
        }
    }
    m_desktop.tell(this, QStringLiteral("No file name contains \"%1\".").arg(text));
}

// The model follows the folder by itself; a refresh reads it anew.
void TForm3::refresh()
{
    m_files->setRootPath(QString());
    showListFolder();
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    const bool overList = watched == imageListBox->viewport();
    if (overList && event->type() == QEvent::MouseButtonRelease) {
        // After the list itself has handled the release.
        QMetaObject::invokeMethod(this, &TForm3::imageListBoxMouseUp, Qt::QueuedConnection);
    } else if (event->type() == QEvent::MouseMove
        && (overList || watched == Image1 || watched == ScrollBox1->viewport())) {
        imageListBoxMouseMove();
    }
    return QDialog::eventFilter(watched, event);
}
