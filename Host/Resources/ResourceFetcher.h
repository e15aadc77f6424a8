#pragma once

#include "Interfaces/IRemoteResource.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

namespace Tavrel {

/// Lives on the resource manager's worker thread and copies one file at a time in chunks, so that
/// progress can be reported and the copy stopped when the thread is asked to finish. The copy is
/// written aside and renamed when complete: the cache never holds half a file.
class ResourceFetcher : public QObject {
    Q_OBJECT

public:
    /// Called on the worker thread with the key of the fetch: Loading (from 0 as it starts), then
    /// Loaded or Failed.
    using Report = std::function<void(int key, const IRemoteResource::State& state)>;

    ResourceFetcher(qint64 chunkSize, std::chrono::milliseconds chunkPause, Report report);

    /// On the worker thread.
    void Fetch(int key, const QString& source, const QString& target);

private:
    /// The error; empty on success.
    QString Copy(int key, const QString& source, const QString& target);

    qint64 m_chunkSize;
    std::chrono::milliseconds m_chunkPause;
    Report m_report;
};

} // namespace Tavrel
