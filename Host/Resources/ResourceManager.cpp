#include "Host/Resources/ResourceManager.h"

#include "Host/QtUtils/ThreadHandOver.h"
#include "Host/Resources/RemoteResource.h"
#include "Host/Resources/ResourceFetcher.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <glog/logging.h>

#include <vector>

namespace Tavrel {

namespace {

using Status = IRemoteResource::Status;

QString FolderFromEnvironment(const char* variable, const QString& fallback)
{
    const QString folder = qEnvironmentVariable(variable);
    return folder.isEmpty() ? fallback : folder;
}

ResourceManager::Options OptionsFromEnvironment()
{
    ResourceManager::Options options;
    options.chunkPause = std::chrono::milliseconds(qEnvironmentVariableIntValue("GLIMMAR_RESOURCE_CHUNK_PAUSE_MS"));
    return options;
}

} // namespace

ResourceManager::ResourceManager(QObject* parent) : ResourceManager(OptionsFromEnvironment(), parent) {}

ResourceManager::ResourceManager(const Options& options, QObject* parent)
    : QObject(parent),
      m_fetcher(new ResourceFetcher(options.chunkSize, options.chunkPause, [this](int key, const IRemoteResource::State& state) {
          // Handed to this object: reports still on their way when it dies are dropped.
          ThreadHandOver::Invoke(this, [this, key, state] { OnReport(key, state); });
      }))
{
    m_thread.setObjectName("ResourceFetcher");
    m_fetcher->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_fetcher, &QObject::deleteLater);
    m_thread.start();
}

ResourceManager::~ResourceManager()
{
    // The fetcher stops between chunks; its reports queued to us die with us.
    m_thread.requestInterruption();
    m_thread.quit();
    m_thread.wait();
}

std::shared_ptr<IRemoteResource> ResourceManager::GetResource(const ResourceId& id)
{
    return Resource(id);
}

std::shared_ptr<RemoteResource> ResourceManager::Resource(const ResourceId& id)
{
    auto found = m_resources.find(id);
    if (found == m_resources.end()) {
        auto resource = std::make_shared<RemoteResource>(id, CachedPath(id));
        if (QFileInfo::exists(CachedPath(id)))
            resource->SetState({Status::Loaded, 1.0, {}});
        found = m_resources.emplace(id, std::move(resource)).first;
    }
    return found->second;
}

std::shared_ptr<RemoteResource> ResourceManager::ResourceByKey(int key) const
{
    const auto found = m_keys.find(key);
    return found == m_keys.end() ? nullptr : m_resources.at(found->second);
}

void ResourceManager::OnReport(int key, const IRemoteResource::State& state)
{
    const auto resource = ResourceByKey(key);
    if (state.status != Status::Loading)
        m_keys.erase(key);
    if (resource)
        SetState(*resource, state);
}

void ResourceManager::Fetch(const ResourceId& id)
{
    const std::shared_ptr<RemoteResource> resource = Resource(id);
    const int status = resource->GetState().status;
    if (status == Status::Queued || status == Status::Loading)
        return;
    if (QFileInfo::exists(CachedPath(id))) {
        if (status != Status::Loaded)
            SetState(*resource, {Status::Loaded, 1.0, {}});
        return;
    }
    const QString name = QString::fromStdString(id.name);
    if (name.isEmpty() || QFileInfo(name).fileName() != name || name == "..") {
        SetState(*resource, {Status::Failed, 0.0, tr("\"%1\" is not a resource name.").arg(name)});
        return;
    }

    const int key = m_nextKey++;
    m_keys.emplace(key, id);
    SetState(*resource, {Status::Queued, 0.0, {}});
    ThreadHandOver::Invoke(m_fetcher, [fetcher = m_fetcher, key, source = QDir(SourceFolder()).filePath(name),
                                       target = CachedPath(id)] { fetcher->Fetch(key, source, target); });
}

int ResourceManager::AddListener(Listener listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void ResourceManager::RemoveListener(int listenerId)
{
    m_listeners.erase(listenerId);
}

void ResourceManager::SetState(RemoteResource& resource, const IRemoteResource::State& state)
{
    resource.SetState(state);
    // Once per failed try, here rather than in each view of the resource.
    if (state.status == Status::Failed)
        LOG(WARNING) << "resource " << resource.GetId().name << " could not be fetched: " << state.error.toStdString();
    // A listener may add or remove listeners (a watcher dies with its tile): call only those that
    // were there before and are still there.
    std::vector<int> ids;
    ids.reserve(m_listeners.size());
    for (const auto& entry : m_listeners)
        ids.push_back(entry.first);
    const ResourceId id = resource.GetId();
    for (int listenerId : ids) {
        const auto listener = m_listeners.find(listenerId);
        if (listener != m_listeners.end())
            Listener(listener->second)(id, state);
    }
}

QString ResourceManager::SourceFolder()
{
    return FolderFromEnvironment("GLIMMAR_RESOURCE_SOURCE_DIR", ":/resources/remote");
}

QString ResourceManager::CacheFolder()
{
    return FolderFromEnvironment("GLIMMAR_RESOURCE_CACHE_DIR",
                                 QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath("resources"));
}

QString ResourceManager::CachedPath(const ResourceId& id)
{
    return QDir(CacheFolder()).filePath(QString::fromStdString(id.name));
}

} // namespace Tavrel
