#pragma once

#include <QString>

#include <chrono>
#include <string>

namespace Tavrel::PhotoUtil {

/// An exclusive lock across processes, held on a lock file by the kernel for as long as
/// its holder lives: a holder that is killed, at any moment, leaves no lock behind, so no
/// guess about stale locks is ever needed. The lock file is removed on unlock.
class FileLock {
public:
    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Takes the lock, waiting up to wait for its holder; an empty text when taken, else
    /// why not (naming the lock file, or the process that holds it).
    std::string Lock(std::chrono::milliseconds wait);

private:
    QString m_path;
    int m_handle = -1;
};

} // namespace Tavrel::PhotoUtil
