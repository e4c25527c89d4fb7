#pragma once

#include <QSortFilterProxyModel>

class QFileSystemModel;

// The image viewer's list over the file system model: the parent folder's
// entry ("..") captioned " Up one level" and listed first, then the
// folders, then the files, each by name regardless of case. The current
// folder's own entry (".") is left out, and so is ".." at the root.
class ImageListModel final : public QSortFilterProxyModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageListModel)

public:
    explicit ImageListModel(QFileSystemModel &files, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    bool isUpOneLevel(const QModelIndex &index) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    int rank(const QModelIndex &sourceIndex) const;

    QFileSystemModel &m_files;
};
