#include "data/store/EngineError.h"

#include "base/AppError.h"

#include <sqlite3.h>

#include <QDir>

QString EngineReason(sqlite3 *db, int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("正被其他程序使用，请稍后再试");
    case SQLITE_READONLY:
        return QStringLiteral("文件是只读的，无法保存修改");
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，无法保存修改");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("文件已损坏，请用“数据恢复”恢复最近的备份");
    case SQLITE_IOERR:
        return QStringLiteral("读写文件时出错");
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开文件");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有权限");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足");
    default:
        return QString::fromUtf8(sqlite3_errmsg(db));
    }
}

void ThrowEngineError(sqlite3 *db, int code, const QString &path)
{
    const QString message
        = QStringLiteral("数据文件“%1”：%2").arg(QDir::toNativeSeparators(path), EngineReason(db, code));
    const int primary = code & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw DataBusyError(message);
    throw DataError(message);
}
