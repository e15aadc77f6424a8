#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/fsuid.h>
#include <unistd.h>

/// Leaves a file or folder only the permissions kept, as chmod does for a user. Root passes
/// permissions by, so under root this thread takes the file-system identity of another user,
/// who then owns the path, the folder it is in and, for a folder, the files in it (setfsuid
/// acts on one thread and drops root's file capabilities while it lasts).
class PermissionsTaken {
public:
    PermissionsTaken(const QString& path, QFileDevice::Permissions kept)
        : m_path(path), m_before(QFileInfo(path).permissions())
    {
        if (geteuid() == 0) {
            QStringList owned{QFileInfo(path).absolutePath(), path};
            if (QFileInfo(path).isDir())
                for (const QString& name : QDir(path).entryList(QDir::Files))
                    owned << QDir(path).filePath(name);
            const uid_t other = 65534;
            for (const QString& file : owned)
                EXPECT_EQ(chown(QFile::encodeName(file).constData(), other, other), 0);
            setfsuid(other);
        }
        EXPECT_TRUE(QFile::setPermissions(path, kept));
    }
    ~PermissionsTaken()
    {
        QFile::setPermissions(m_path, m_before);
        if (geteuid() == 0)
            setfsuid(0);
    }
    PermissionsTaken(const PermissionsTaken&) = delete;
    PermissionsTaken& operator=(const PermissionsTaken&) = delete;

private:
    QString m_path;
    QFileDevice::Permissions m_before;
};
