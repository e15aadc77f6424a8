#include "GlimmarPresetsUtil/Settings/ConfigStore.h"

#include "Host/Types/BaseConfig.h"
#include "Host/Types/JsonCodec.h"
#include "tests/FileBytes.h"
#include "tests/LogCapture.h"
#include "tests/PermissionsTaken.h"
#include "tests/PropertyTreePrinter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cmath>
#include <vector>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PhotoUtil::BaseConfig;
using Tavrel::PhotoUtil::JsonCodec;
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

    QString UserFile() const { return m_dir.filePath("user.json"); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ConfigStoreTest, UserConfigurationRoundTripsAndEmptyNameWritesNothing)
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
    LogCapture log;
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, read);
    EXPECT_EQ(read, Config{}) << "no stored user configuration yet";

    ConfigStore::WriteUser("user", user);
    ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, read);
    EXPECT_EQ(read, user);
    EXPECT_TRUE(log.Warnings().empty());
    EXPECT_TRUE(log.Errors().empty());
}

namespace {

// Files that cannot be a configuration, each with what the message must say about it.
struct BadFile {
    const char* kind;
    QByteArray bytes;
    const char* problem;
    bool parses = false; // valid JSON that is not a configuration
};

std::vector<BadFile> BadFiles()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG");
    return {
        {"empty", "", "byte offset 0: The document is empty"},
        {"truncated", R"({"favorites": ["a", "b)", "byte offset 22: Missing a closing quotation mark"},
        {"not UTF-8", "{\"favorites\": [\"Caf\xe9\"]}", "byte offset 19: Invalid encoding"},
        {"NUL bytes", QByteArray("{}\0\0\0\0", 6), "a NUL byte"},
        {"nested too deep", QByteArray(100000, '['), "nesting deeper than 512 levels"},
        {"an image", png, "byte offset 0: Invalid value"},
        {"an array", "[{\"favorites\": []}]", "expected a map, found a list", true},
        {"a bad colour", R"({"favorites": ["a"], "groups": [{"items": [{"name": "A"},
            {"previewPolicy": {"splitColor": "zz"}}]}]})",
         "colour \"zz\" is not a hexadecimal number", true},
    };
}

std::string ReadError(const std::string& module, const std::string& name)
{
    Config builtIn, user;
    try {
        ConfigStore::Read(module, name, "", builtIn, user);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST_F(ConfigStoreTest, BadBuiltInConfigurationThrowsNamingTheFileAndTheProblem)
{
    QTemporaryDir editorDir;
    ASSERT_TRUE(QDir(editorDir.path()).mkpath("configs/Bad"));
    // Open to others, so that the user who cannot read the file can get to it.
    for (const QString& folder : {editorDir.path(), editorDir.filePath("configs")})
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::ExeGroup | QFileDevice::ExeOther));
    qputenv("GLIMMAR_CONFIG_DIR", QFile::encodeName(editorDir.path()));
    const auto unset = qScopeGuard([] { qunsetenv("GLIMMAR_CONFIG_DIR"); });
    const QString path = editorDir.filePath("configs/Bad/builtin.json");

    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.kind);
        WriteBytes(path, bad.bytes);
        EXPECT_THAT(ReadError("Bad", "builtin"), AllOf(HasSubstr(path.toStdString()), HasSubstr(bad.problem)));
    }

    QFile huge(path);
    ASSERT_TRUE(huge.resize(static_cast<qint64>(BaseConfig::MaxFileSize) + 1)); // sparse: costs no disk
    EXPECT_THAT(ReadError("Bad", "builtin"), AllOf(HasSubstr(path.toStdString()), HasSubstr("larger than 67108864 bytes")));

    WriteBytes(path, "{}");
    {
        const PermissionsTaken unreadable(path, QFileDevice::WriteOwner);
        EXPECT_THAT(ReadError("Bad", "builtin"), AllOf(HasSubstr(path.toStdString()), HasSubstr("Permission denied")));
    }
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THAT(ReadError("Bad", "builtin"), HasSubstr(":/configs/Bad/builtin.json: no such file"));
}

// The list goes on without them; each file is kept aside before the write at destruction
// replaces it.
TEST_F(ConfigStoreTest, BadUserConfigurationIsAWarningAndTheFileIsKeptAside)
{
    const QString path = UserFile();
    std::vector<BadFile> cases = BadFiles();
    cases.push_back({"larger than allowed", {}, "larger than 67108864 bytes"});
    cases.push_back({"a folder", {}, "cannot open: file to open is a directory"});
    for (const BadFile& bad : cases) {
        SCOPED_TRACE(bad.kind);
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            ASSERT_TRUE(QFileInfo(m_dir.filePath(name)).isDir() ? QDir(m_dir.filePath(name)).removeRecursively()
                                                                 : QFile::remove(m_dir.filePath(name)));
        if (bad.kind == std::string("a folder")) {
            ASSERT_TRUE(QDir(m_dir.path()).mkdir("user.json"));
        } else {
            WriteBytes(path, bad.bytes);
        }
        if (bad.kind == std::string("larger than allowed")) {
            ASSERT_TRUE(QFile(path).resize(static_cast<qint64>(BaseConfig::MaxFileSize) + 1));
        }

        Config builtIn, user;
        LogCapture log;
        ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, user);
        EXPECT_EQ(user, Config{});
        ASSERT_EQ(log.Warnings().size(), 1u);
        EXPECT_THAT(log.Warnings()[0], HasSubstr(bad.problem));
        QStringList aside;
        if (bad.parses) {
            aside = QDir(m_dir.path()).entryList({"user.damaged-*.json"});
            ASSERT_EQ(aside.size(), 1);
            ASSERT_EQ(log.Infos().size(), 1u);
            EXPECT_THAT(log.Infos()[0], HasSubstr("user config user could not be read in full; it is kept as user.damaged-"));
            EXPECT_EQ(BaseConfig().ReadOptional(QFileInfo(aside[0]).completeBaseName().toStdString()),
                      JsonCodec::Parse(bad.bytes.toStdString(), "expected"));
        } else {
            aside = QDir(m_dir.path()).entryList({"user.json.damaged-*"}, QDir::AllEntries);
            ASSERT_EQ(aside.size(), 1);
            EXPECT_THAT(log.Warnings()[0], AllOf(HasSubstr(path.toStdString()), HasSubstr(m_dir.filePath(aside[0]).toStdString())));
            if (QFileInfo(m_dir.filePath(aside[0])).size() < 1000000) {
                EXPECT_EQ(ReadBytes(m_dir.filePath(aside[0])), bad.bytes);
            }
        }

        ConfigStore::WriteUser("user", user);
        EXPECT_EQ(BaseConfig().ReadOptional("user"), JsonCodec::Parse("{}", "expected"));
        EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(aside[0])));
        EXPECT_TRUE(log.Errors().empty());
    }

    // A second damaged file within the same second does not overwrite the first one kept.
    for (int i = 0; i < 2; ++i) {
        WriteBytes(path, "nonsense");
        Config builtIn, user;
        ConfigStore::Read("GlimmarDemo", "effects", "user", builtIn, user);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList({"user.json.damaged-*"}, QDir::Files).size(), 2);
}

// A user file that could not be read gave an empty configuration, and the write at
// shutdown replaced the presets in it with "{}".
TEST_F(ConfigStoreTest, UnreadableUserFileIsNeverReplaced)
{
    const QByteArray presets = R"({"favorites": ["mine"]})";
    WriteBytes(UserFile(), presets);
    Config builtIn, user;
    LogCapture log;
    {
        const PermissionsTaken unreadable(UserFile(), QFileDevice::WriteOwner);
        if (QFile(UserFile()).open(QIODevice::ReadOnly))
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
    WriteBytes(UserFile(), presets);
    {
        const PermissionsTaken unreadable(UserFile(), QFileDevice::WriteOwner);
        ConfigStore::WriteUser("user", user);
    }
    ASSERT_EQ(log.Errors().size(), 1u);
    EXPECT_THAT(log.Errors()[0], HasSubstr("cannot be read"));
    EXPECT_EQ(ReadBytes(UserFile()), presets);
}

// When the user configuration could not be written, the changes were gone.
TEST_F(ConfigStoreTest, FailedWriteIsLoggedAndKeepsTheOldFileAndTheChangesNextToIt)
{
    Config user;
    user.m_favorites = {"mine"};
    Config unwritable = user;
    Item& item = unwritable.m_groups.emplace_back().m_items.emplace_back();
    item.m_name = "Broken";
    item.m_sliderSetting.m_data.m_variables.push_back({std::nan(""), 1, "e", "amount"});

    const QByteArray old = R"({"favorites": ["old"]})";
    const struct {
        const char* cause;
        Config config;
        const char* kept; // empty: the folder cannot be made, so nothing can be kept
    } cases[] = {
        {"a number JSON cannot hold", unwritable, "NaN"},
        {"a folder in place of the file", user, "\"mine\""},
        {"a file in place of the storage folder", user, ""},
    };
    WriteBytes(UserFile(), old);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        if (c.kept == std::string("\"mine\"")) {
            ASSERT_TRUE(QFile::remove(UserFile()) && QDir(m_dir.path()).mkdir("user.json"));
        } else if (!*c.kept) {
            WriteBytes(m_dir.filePath("file"), old);
            BaseConfig::SetStorageFolder(m_dir.filePath("file/below"));
        }
        LogCapture log;
        ConfigStore::WriteUser("user", c.config);
        ASSERT_EQ(log.Errors().size(), 1u);
        EXPECT_THAT(log.Errors()[0], HasSubstr("user.json"));
        if (!*c.kept) {
            EXPECT_EQ(ReadBytes(m_dir.filePath("file")), old);
            continue;
        }
        const QStringList unsaved = QDir(m_dir.path()).entryList({"user.json.unsaved-*"}, QDir::Files, QDir::Time);
        ASSERT_FALSE(unsaved.isEmpty());
        const QString kept = m_dir.filePath(unsaved.first());
        EXPECT_THAT(log.Errors()[0], HasSubstr("kept in " + kept.toStdString()));
        EXPECT_THAT(ReadBytes(kept).toStdString(), AllOf(HasSubstr("\"mine\""), HasSubstr(c.kept)));
        if (QFileInfo(UserFile()).isFile()) {
            EXPECT_EQ(ReadBytes(UserFile()), old);
        }
        QFile::remove(kept);
    }
}
