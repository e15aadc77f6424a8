#include "GlimmarPresetsUtil/Settings/ConfigStore.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"
#include "tests/LogCapture.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoUtil::BaseConfig;

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        BaseConfig::SetStorageFolder(m_dir.path());
    }
    void TearDown() override { BaseConfig::SetStorageFolder({}); }

    void WriteUserFile(const QByteArray& bytes)
    {
        QFile file(m_dir.filePath("user.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
};

} // namespace

class SampleConfiguration : public testing::TestWithParam<const char*> {};

TEST_P(SampleConfiguration, RoundTripsToTheSameTree)
{
    const PropertyTree tree = BaseConfig().Read(BaseConfig::ResourcePath("GlimmarDemo", GetParam(), "configs"));
    Config config;
    ReadConfig(config, tree, false);
    PropertyTree written;
    WriteConfig(config, written);
    EXPECT_EQ(written, tree);
}

INSTANTIATE_TEST_SUITE_P(ConfigStoreTest, SampleConfiguration, testing::Values("effects", "looks"));

TEST_F(ConfigStoreTest, UserConfigurationRoundTripsEmptyNameWritesNothingMissingBuiltInThrows)
{
    Config user;
    user.m_groups.resize(1);
    Item& item = user.m_groups[0].m_items.emplace_back();
    item.m_name = "Mine";
    item.m_id = "uuid-1";
    item.m_isUser = true;
    user.m_favorites = {"light.punchy", "uuid-1"};

    ConfigStore::WriteUser("", user);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());

    Config builtIn, read;
    EXPECT_THROW(ConfigStore::Read("GlimmarDemo", "absent", "user", builtIn, read), std::exception);
    LogCapture log;
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, read);
    EXPECT_EQ(read, Config{}) << "no stored user configuration yet";

    ConfigStore::WriteUser("user", user);
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, read);
    EXPECT_EQ(read, user);
    EXPECT_TRUE(log.Warnings().empty());
    EXPECT_TRUE(log.Errors().empty());
}

TEST_F(ConfigStoreTest, UnreadableUserConfigurationIsAWarning)
{
    WriteUserFile(R"({"favorites": ["a"], "groups": [{"items": [{"name": "A"}, {"previewPolicy": {"splitColor": "zz"}}]}]})");
    Config builtIn, user;
    LogCapture log;
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, user);
    EXPECT_TRUE(user.m_groups.empty());
    EXPECT_TRUE(user.m_favorites.empty());
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_EQ(log.Warnings()[0].rfind("failed to read optional config:colour \"zz\"", 0), 0u) << log.Warnings()[0];

    WriteUserFile("{\"groups\": ");
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, user);
    EXPECT_EQ(log.Warnings().size(), 2u) << "the damaged file is reported by the storage";
    EXPECT_FALSE(QFile::exists(m_dir.filePath("user.json")));
}

TEST_F(ConfigStoreTest, FailedWriteIsLoggedNotThrown)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("user.json"));
    LogCapture log;
    ConfigStore::WriteUser("user", Config{});
    ASSERT_EQ(log.Errors().size(), 1u);
    EXPECT_NE(log.Errors()[0].find("user.json"), std::string::npos);
}
