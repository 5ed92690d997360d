#include "grid/ChineseFileDates.h"

#include <QFileSystemModel>

namespace {
constexpr int kDateColumn = 3; // QFileSystemModel's "Date Modified"
}

QVariant ChineseFileDates::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (!files || index.column() != kDateColumn || role != Qt::DisplayRole)
        return QIdentityProxyModel::data(index, role);
    return files->lastModified(mapToSource(index)).toString(QStringLiteral("yyyy年M月d日 HH:mm"));
}
