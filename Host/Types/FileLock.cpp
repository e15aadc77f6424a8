#include "Host/Types/FileLock.h"

#include <glog/logging.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tavrel::PhotoUtil {
namespace {

// Written into the lock file by its holder, for the message of a writer that waited in vain.
QByteArray HolderDescription()
{
    QString program = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName();
    if (program.isEmpty())
        program = QStringLiteral("a process");
    return (program + QStringLiteral(" (process ") + QString::number(QCoreApplication::applicationPid()) +
            QStringLiteral(" on ") + QSysInfo::machineHostName() + QLatin1Char(')'))
        .toUtf8();
}

std::string HolderOf(int handle)
{
    char text[512];
    const ssize_t size = ::pread(handle, text, sizeof text, 0);
    return size > 0 ? std::string(text, static_cast<std::size_t>(size)) : std::string("another process");
}

// Whether the open file is still the one under path: an unlocking holder removes the name,
// and a lock taken on a removed file excludes nobody.
bool IsUnderPath(int handle, const QByteArray& path)
{
    struct stat opened {}, named {};
    return ::fstat(handle, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

} // namespace

FileLock::FileLock(QString path) : m_path(std::move(path)) {}

FileLock::~FileLock()
{
    if (m_handle < 0)
        return;
    // Removed while still held, so that whoever takes the lock next finds the name gone
    // and makes a new one.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_handle);
}

std::string FileLock::Lock(std::chrono::milliseconds wait)
{
    const QByteArray path = QFile::encodeName(m_path);
    const QDeadlineTimer deadline(wait);
    for (;;) {
        const int handle = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (handle < 0) {
            const int error = errno;
            if (error == EACCES || error == EPERM || error == EROFS)
                return "no permission to create its lock file " + m_path.toStdString();
            return "cannot create its lock file " + m_path.toStdString() + ": " + std::strerror(error);
        }
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0) {
            if (IsUnderPath(handle, path)) {
                const QByteArray holder = HolderDescription();
                if (::ftruncate(handle, 0) != 0 || ::pwrite(handle, holder.constData(), holder.size(), 0) < 0)
                    LOG(WARNING) << "cannot describe the holder in the lock file " << m_path.toStdString();
                m_handle = handle;
                return {};
            }
            ::close(handle);
            continue;
        }
        const int error = errno;
        if (error != EWOULDBLOCK) {
            ::close(handle);
            return "cannot lock its lock file " + m_path.toStdString() + ": " + std::strerror(error);
        }
        const std::string holder = HolderOf(handle);
        ::close(handle);
        if (deadline.hasExpired())
            return "it is still being written by " + holder + " after " +
                   std::to_string(std::chrono::duration_cast<std::chrono::seconds>(wait).count()) + " s";
        // A writer is done in milliseconds.
        QThread::msleep(5);
    }
}

} // namespace Tavrel::PhotoUtil
