#pragma once

#include <QObject>
#include <QString>

#include <chrono>

namespace Tavrel {

/// Lives on the resource manager's worker thread and copies one file at a time in chunks, so that
/// progress can be reported and the copy stopped when the thread is asked to finish. The copy is
/// written aside and renamed when complete: the cache never holds half a file.
class ResourceFetcher : public QObject {
    Q_OBJECT

public:
    ResourceFetcher(qint64 chunkSize, std::chrono::milliseconds chunkPause);

    /// Queued from the UI thread. Reports through the signals with the same key.
    Q_INVOKABLE void Fetch(int key, const QString& source, const QString& target);

signals:
    void started(int key);
    void progressed(int key, double progress);
    /// An empty error means success.
    void finished(int key, const QString& error);

private:
    QString Copy(int key, const QString& source, const QString& target);

    qint64 m_chunkSize;
    std::chrono::milliseconds m_chunkPause;
};

} // namespace Tavrel
