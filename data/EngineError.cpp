#include "data/EngineError.h"

#include "data/AppError.h"

#include <sqlite3.h>

#include <QDir>

void ThrowEngineError(sqlite3 *db, int code, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw DataBusyError(QStringLiteral("数据文件“%1”正被其他程序使用，请稍后再试").arg(file));
    case SQLITE_READONLY:
        throw DataError(QStringLiteral("数据文件“%1”是只读的，无法保存修改").arg(file));
    case SQLITE_FULL:
        throw DataError(QStringLiteral("磁盘已满，无法保存对数据文件“%1”的修改").arg(file));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        throw DataError(QStringLiteral("数据文件“%1”已损坏，请用“数据恢复”恢复最近的备份").arg(file));
    case SQLITE_IOERR:
        throw DataError(QStringLiteral("读写数据文件“%1”时出错").arg(file));
    case SQLITE_CANTOPEN:
        throw DataError(QStringLiteral("无法打开数据文件“%1”").arg(file));
    default:
        throw DataError(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
    }
}
