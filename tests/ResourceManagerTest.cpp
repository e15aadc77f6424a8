#include "Host/Kit/DownloadableWatcher.h"
#include "Host/Resources/ResourceManager.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <utility>
#include <vector>

using namespace Tavrel;
using Status = IRemoteResource::Status;

namespace {

// Points the manager at a source folder and a cache folder of its own.
class ResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_source.isValid() && m_cache.isValid());
        qputenv("GLIMMAR_RESOURCE_SOURCE_DIR", QFile::encodeName(m_source.path()));
        qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(m_cache.path()));
    }
    void TearDown() override
    {
        qunsetenv("GLIMMAR_RESOURCE_SOURCE_DIR");
        qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
    }

    QByteArray AddSource(const QString& name, int size)
    {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 31 % 251);
        QFile file(m_source.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return bytes;
    }

    static ResourceManager::Options SmallChunks() { return {1024, std::chrono::milliseconds(0)}; }

    QTemporaryDir m_source;
    QTemporaryDir m_cache;
};

bool WaitForStatus(IResourceManager& manager, const ResourceId& id, int status)
{
    return QTest::qWaitFor([&] { return manager.GetResource(id)->GetState().status == status; }, 5000);
}

TEST_F(ResourceManagerTest, SourceThatCannotBeFetchedFailsWithItsNameAndLeavesNothingInTheCache)
{
    ASSERT_TRUE(QDir(m_source.path()).mkdir("folder.png"));
    QFile blocker(m_cache.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    AddSource("texture.png", 100);
    const struct {
        const char* name;
        QString cacheFolder;
        const char* problem;
    } cases[] = {
        {"missing.png", m_cache.path(), "was not found at"},
        {"folder.png", m_cache.path(), "could not be read from"},
        {"texture.png", m_cache.filePath("blocker/below"), "The cache folder for \"texture.png\" could not be made"},
        {"../secret", m_cache.path(), "is not a resource name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(c.cacheFolder));
        ResourceManager manager(SmallChunks());
        const ResourceId id{0, c.name};
        manager.Fetch(id);
        ASSERT_TRUE(WaitForStatus(manager, id, Status::Failed));
        const QString error = manager.GetResource(id)->GetState().error;
        EXPECT_TRUE(error.contains(c.name) && error.contains(c.problem)) << error.toStdString();
        EXPECT_TRUE(manager.GetResource(id)->GetLocalPath().isEmpty());
        EXPECT_EQ(QDir(m_cache.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"blocker"});
    }

    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(m_cache.path()));
    ResourceManager manager(SmallChunks());
    const ResourceId id{0, "missing.png"};
    manager.Fetch(id);
    ASSERT_TRUE(WaitForStatus(manager, id, Status::Failed));
    AddSource("missing.png", 100);
    manager.Fetch(id);
    EXPECT_TRUE(WaitForStatus(manager, id, Status::Loaded)) << "fetching again retries";
}

// A failure is logged once with its reason; a watcher made afterwards starts a new try and reports
// that, not the old failure.
TEST_F(ResourceManagerTest, FailureIsLoggedOnceAndANewWatcherTriesAgain)
{
    ResourceManager manager(SmallChunks());
    const ResourceId id{0, "late.png"};
    LogCapture log;
    DownloadableWatcher first(&manager, {id}, nullptr);
    first.SetNotificationParams({true, {0, 1, 2, 3, 4}, 0.01});
    first.Register();
    ASSERT_TRUE(WaitForStatus(manager, id, Status::Failed));
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_NE(log.Warnings()[0].find("late.png"), std::string::npos);
    EXPECT_NE(log.Warnings()[0].find("was not found at"), std::string::npos) << "the reason";

    AddSource("late.png", 4 * 1024);
    DownloadableWatcher second(&manager, {id}, nullptr);
    second.SetNotificationParams({true, {0, 1, 2, 3, 4}, 0.01});
    std::vector<int> statuses;
    second.SetCallback([&](const IRemoteResource::State& state) { statuses.push_back(state.status); });
    second.Register();
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.back() == Status::Loaded; }, 5000));
    EXPECT_EQ(statuses.front(), Status::Queued);
    EXPECT_EQ(log.Warnings().size(), 1u);
}

TEST_F(ResourceManagerTest, DestroyedWhileFetchingStopsAndLeavesNoHalfFile)
{
    AddSource("big.bin", 64 * 1024);
    {
        ResourceManager manager({1024, std::chrono::milliseconds(2)});
        manager.Fetch({0, "big.bin"});
        ASSERT_TRUE(WaitForStatus(manager, {0, "big.bin"}, Status::Loading));
    }
    EXPECT_TRUE(QDir(m_cache.path()).isEmpty()) << "the stopped copy is not left behind";
    EXPECT_FALSE(QFile::exists(QDir(m_cache.path()).filePath("big.bin"))) << "no half file in the cache";
}

TEST_F(ResourceManagerTest, WatcherReportsTheCombinedStateInSteps)
{
    AddSource("a.png", 8 * 1024);
    AddSource("b.png", 8 * 1024);
    ResourceManager manager(SmallChunks());
    DownloadableWatcher watcher(&manager, {{0, "a.png"}, {0, "b.png"}}, nullptr);
    watcher.SetNotificationParams({true, {0, 1, 2, 3, 4}, 0.25});
    std::vector<IRemoteResource::State> reports;
    watcher.SetCallback([&](const IRemoteResource::State& state) { reports.push_back(state); });
    watcher.Register();
    ASSERT_EQ(reports.size(), 1u) << "reported at once";
    EXPECT_EQ(reports[0].status, Status::Queued);

    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.back().status == Status::Loaded; }, 5000));
    for (size_t i = 1; i + 1 < reports.size(); ++i)
        EXPECT_EQ(reports[i].status, Status::Loading);
    for (size_t i = 2; i + 1 < reports.size(); ++i)
        EXPECT_GE(reports[i].progress - reports[i - 1].progress, 0.25) << "after the start, steps of a quarter";
    EXPECT_LE(reports.size(), 7u) << "steps of a quarter";
    EXPECT_GE(reports.size(), 4u);
}

TEST_F(ResourceManagerTest, WatcherDestroyedBeforeTheDownloadEndsIsNeverCalledAgain)
{
    AddSource("a.png", 16 * 1024);
    ResourceManager manager(SmallChunks());
    int calls = 0;
    auto* watcher = new DownloadableWatcher(&manager, {{0, "a.png"}}, nullptr);
    watcher->SetNotificationParams({true, {0, 1, 2, 3, 4}, 0.01});
    watcher->SetCallback([&](const IRemoteResource::State&) { ++calls; });
    watcher->Register();
    // A second watcher removes the first from within a notification, as a closing tile does.
    DownloadableWatcher killer(&manager, {{0, "a.png"}}, nullptr);
    killer.SetNotificationParams({true, {Status::Loading}, 0.01});
    killer.SetCallback([&](const IRemoteResource::State& state) {
        if (state.status == Status::Loading)
            delete std::exchange(watcher, nullptr);
    });
    killer.Register();

    ASSERT_TRUE(WaitForStatus(manager, {0, "a.png"}, Status::Loaded));
    EXPECT_EQ(watcher, nullptr);
    EXPECT_EQ(calls, 2) << "its first report and the start; nothing after its destruction";
}

} // namespace
