#include "printers/PrinterDevice.h"

#include "base/AppError.h"
#include "printers/FileDescriptor.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

[[noreturn]] void NotADevice(const QString &path, const QString &what)
{
    throw AppError(QStringLiteral("打印机位置“%1”是%2，不是打印机设备，没有向它写入任何内容；"
                                  "请填写打印机的设备文件，如 /dev/usb/lp0")
                       .arg(path, what));
}

// Judged on the opened file, so that what was checked is what is written to.
void RequireDevice(int fd, const QString &path)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        throw AppError(
            QStringLiteral("无法查看打印机设备“%1”：%2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode))
        return;
    NotADevice(path,
               S_ISREG(status.st_mode)       ? QStringLiteral("普通文件")
                   : S_ISDIR(status.st_mode) ? QStringLiteral("文件夹")
                                             : QStringLiteral("其他类型的文件"));
}

QString OpenMessage(const QString &path, int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("找不到打印机设备“%1”，请检查打印机是否已连接并开机").arg(path);
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限使用打印机设备“%1”：请把当前用户加入 lp 组"
                              "（sudo usermod -aG lp 用户名），然后重新登录")
            .arg(path);
    case EBUSY:
        return QStringLiteral("打印机设备“%1”正被其他程序使用，请稍后再试").arg(path);
    case ENXIO:
    case ENODEV:
        return QStringLiteral("打印机设备“%1”没有响应，请检查打印机是否已连接并开机").arg(path);
    default:
        return QStringLiteral("无法打开打印机设备“%1”：%2").arg(path, QString::fromLocal8Bit(std::strerror(error)));
    }
}

} // namespace

FileDescriptor OpenPrinterDevice(const QString &path)
{
    // Looked at first without opening it for writing: closing such a
    // descriptor on the data file would drop the engine's locks on it. What
    // is opened is judged again, in case the path changed in between.
    CheckPrinterDevice(path);
    FileDescriptor device(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (device.get() < 0)
        throw AppError(OpenMessage(path, errno));
    RequireDevice(device.get(), path);
    return device;
}

void CheckPrinterDevice(const QString &path)
{
    // Opening for the path alone reaches no device and needs no right to write.
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_PATH | O_CLOEXEC));
    if (file.get() >= 0)
        RequireDevice(file.get(), path);
}
