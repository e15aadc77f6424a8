#pragma once

#include "Interfaces/IResourceManager.h"

#include <QObject>
#include <QThread>

#include <chrono>
#include <map>

namespace Tavrel {

class RemoteResource;
class ResourceFetcher;

/// Fetches resources by copying the file "<source>/<name>" into the cache folder on a worker thread,
/// one at a time, in chunks, reporting progress. The source is the folder named by the environment
/// variable GLIMMAR_RESOURCE_SOURCE_DIR, else ":/resources/remote". A source that is missing or cannot
/// be read makes the resource Failed with a message naming the file, logged as a warning; fetching
/// it again retries.
/// Listeners run on the UI thread; none is called once the manager is destroyed (its destructor stops
/// the worker and drops reports still under way).
class ResourceManager : public QObject, public IResourceManager {
    Q_OBJECT

public:
    struct Options {
        qint64 chunkSize = 64 * 1024;
        /// A pause after each chunk: the stand-in's slow network, so that a download can be watched.
        std::chrono::milliseconds chunkPause{0};
    };

    /// Default options; the pause is taken from GLIMMAR_RESOURCE_CHUNK_PAUSE_MS (0 when unset).
    explicit ResourceManager(QObject* parent = nullptr);
    explicit ResourceManager(const Options& options, QObject* parent = nullptr);
    ~ResourceManager() override;

    std::shared_ptr<IRemoteResource> GetResource(const ResourceId& id) override;
    void Fetch(const ResourceId& id) override;
    int AddListener(Listener listener) override;
    void RemoveListener(int listenerId) override;

    /// GLIMMAR_RESOURCE_SOURCE_DIR, else ":/resources/remote".
    static QString SourceFolder();
    /// GLIMMAR_RESOURCE_CACHE_DIR, else "resources" in the application's cache location.
    static QString CacheFolder();
    /// Where a fetched resource is; the file exists once the resource is Loaded.
    static QString CachedPath(const ResourceId& id);

private:
    std::shared_ptr<RemoteResource> Resource(const ResourceId& id);
    std::shared_ptr<RemoteResource> ResourceByKey(int key) const;
    /// A report of the fetcher's, on this object's thread.
    void OnReport(int key, const IRemoteResource::State& state);
    void SetState(RemoteResource& resource, const IRemoteResource::State& state);

    std::map<ResourceId, std::shared_ptr<RemoteResource>> m_resources;
    std::map<int, ResourceId> m_keys;
    std::map<int, Listener> m_listeners;
    int m_nextListenerId = 1;
    int m_nextKey = 1;
    QThread m_thread;
    ResourceFetcher* m_fetcher;
};

} // namespace Tavrel
