#include "GlimmarPresetsUtil/Settings/ConfigStore.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"
#include "tests/LogCapture.h"
#include "tests/PropertyTreePrinter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/fsuid.h>
#include <unistd.h>

#include <cmath>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoUtil::BaseConfig;
using ::testing::AllOf;
using ::testing::HasSubstr;

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

    static QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

// Takes read permission from a file, as chmod 0200 does for a user. Root reads any file,
// so under root this thread takes the file-system identity of another user, who then
// owns the folder and the file (setfsuid acts on one thread and drops root's file
// capabilities while it lasts).
class ReadPermissionTaken {
public:
    explicit ReadPermissionTaken(const QString& path) : m_path(path)
    {
        if (geteuid() == 0) {
            const uid_t other = 65534;
            for (const QString& owned : {QFileInfo(path).absolutePath(), path})
                EXPECT_EQ(chown(QFile::encodeName(owned).constData(), other, other), 0);
            setfsuid(other);
        }
        EXPECT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    }
    ~ReadPermissionTaken()
    {
        if (geteuid() == 0)
            setfsuid(0);
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    bool Works() const { return !QFile(m_path).open(QIODevice::ReadOnly); }

private:
    QString m_path;
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

// A user file that could not be read gave an empty configuration, and the write at
// shutdown replaced the presets in it with "{}".
TEST_F(ConfigStoreTest, UnreadableUserFileIsNeverReplaced)
{
    const QByteArray presets = R"({"favorites": ["mine"]})";
    WriteUserFile(presets);
    Config builtIn, user;
    LogCapture log;
    {
        const ReadPermissionTaken unreadable(m_dir.filePath("user.json"));
        if (!unreadable.Works())
            GTEST_SKIP() << "cannot take read permission from a file here";
        ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, user);
        ConfigStore::WriteUser("user", user);
    }
    const QStringList aside = QDir(m_dir.path()).entryList({"user.json.damaged-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_THAT(log.Warnings()[0], AllOf(HasSubstr("unreadable"), HasSubstr(m_dir.filePath(aside[0]).toStdString())));
    QFile::setPermissions(m_dir.filePath(aside[0]), QFileDevice::ReadOwner);
    EXPECT_EQ(ReadBytes(m_dir.filePath(aside[0])), presets);

    // A file that turns unreadable after it was read is not written over either.
    WriteUserFile(presets);
    {
        const ReadPermissionTaken unreadable(m_dir.filePath("user.json"));
        ConfigStore::WriteUser("user", user);
    }
    ASSERT_EQ(log.Errors().size(), 1u);
    EXPECT_THAT(log.Errors()[0], HasSubstr("cannot be read"));
    EXPECT_EQ(ReadBytes(m_dir.filePath("user.json")), presets);
}

// When the user configuration could not be written, the changes were gone.
TEST_F(ConfigStoreTest, FailedWriteIsLoggedAndKeepsTheChangesNextToTheFile)
{
    Config user;
    user.m_favorites = {"mine"};
    Config unwritable = user;
    Item& item = unwritable.m_groups.emplace_back().m_items.emplace_back();
    item.m_name = "Broken";
    item.m_sliderSetting.m_data.m_variables.push_back({std::nan(""), 1, "e", "amount"});

    const struct {
        const char* cause;
        Config config;
        const char* kept;
    } cases[] = {
        {"a folder in place of the file", user, "\"mine\""},
        {"a number JSON cannot hold", unwritable, "NaN"},
    };
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("user.json"));
    for (const auto& c : cases) {
        LogCapture log;
        ConfigStore::WriteUser("user", c.config);
        const QStringList unsaved = QDir(m_dir.path()).entryList({"user.json.unsaved-*"}, QDir::Files, QDir::Time);
        ASSERT_FALSE(unsaved.isEmpty()) << c.cause;
        const QString kept = m_dir.filePath(unsaved.first());
        ASSERT_EQ(log.Errors().size(), 1u) << c.cause;
        EXPECT_THAT(log.Errors()[0], HasSubstr("kept in " + kept.toStdString())) << c.cause;
        EXPECT_THAT(ReadBytes(kept).toStdString(), AllOf(HasSubstr("\"mine\""), HasSubstr(c.kept))) << c.cause;
        QFile::remove(kept);
    }
}
