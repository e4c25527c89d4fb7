#include "shell/windows/image_list_model.h"

#include "outputs/viewer_selection.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QStyle>

namespace {

const QString DotDot = QStringLiteral("..");

} // namespace

ImageListModel::ImageListModel(QFileSystemModel &files, QObject *parent)
    : QSortFilterProxyModel(parent), m_files(files)
{
    setSourceModel(&files);
    setDynamicSortFilter(true);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

bool ImageListModel::isUpOneLevel(const QModelIndex &index) const
{
    return index.isValid() && m_files.fileName(mapToSource(index.siblingAtColumn(0))) == DotDot;
}

QVariant ImageListModel::data(const QModelIndex &index, int role) const
{
    if (index.column() == 0 && isUpOneLevel(index)) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return ViewerSelection::upOneLevelCaption();
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(QStyle::SP_FileDialogToParent);
    }
    return QSortFilterProxyModel::data(index, role);
}

Qt::ItemFlags ImageListModel::flags(const QModelIndex &index) const
{
    // The parent folder's entry is a way up, not a folder to rename or move.
    if (isUpOneLevel(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return QSortFilterProxyModel::flags(index);
}

bool ImageListModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QString name = m_files.fileName(m_files.index(sourceRow, 0, sourceParent));
    if (name == QStringLiteral("."))
        return false;
    if (name == DotDot)
        return !QDir(m_files.filePath(sourceParent)).isRoot();
    return true;
}

int ImageListModel::rank(const QModelIndex &sourceIndex) const
{
    if (m_files.fileName(sourceIndex) == DotDot)
        return 0;
    return m_files.isDir(sourceIndex) ? 1 : 2;
}

bool ImageListModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QModelIndex leftName = left.siblingAtColumn(0);
    const QModelIndex rightName = right.siblingAtColumn(0);
    const int leftRank = rank(leftName);
    const int rightRank = rank(rightName);
    if (leftRank != rightRank)
        return leftRank < rightRank;
    return QString::localeAwareCompare(
               m_files.fileName(leftName).toCaseFolded(), m_files.fileName(rightName).toCaseFolded())
        < 0;
}
