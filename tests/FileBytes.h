#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

/// The whole file; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Writes (or with QIODevice::Append, appends) bytes to a file; the test fails when it cannot.
inline void WriteBytes(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    ASSERT_TRUE(file.open(mode));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
