#include "base/SystemError.h"

#include <cerrno>
#include <cstring>

QString SystemErrorReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘已满");
    case EFBIG:
        return QStringLiteral("文件超出了系统允许的大小");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case ENOTDIR:
        return QStringLiteral("路径中有一项不是文件夹");
    case EISDIR:
        return QStringLiteral("这是一个文件夹");
    case EIO:
        return QStringLiteral("读写磁盘时出错");
    default:
        return QStringLiteral("系统错误（%1）").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
