#pragma once

#include <QIdentityProxyModel>

// Qt's own file dialog writes the files' dates in the machine's language
// ("9 Dec"); through this model it writes them in Chinese ("2026年12月9日
// 18:45"), like the rest of the program. It sits on the dialog's file system
// model.
class ChineseFileDates : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;
};
