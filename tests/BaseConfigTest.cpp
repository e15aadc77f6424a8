#include "Host/Types/BaseConfig.h"
#include "Host/Types/JsonCodec.h"

#include "tests/LogCapture.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/mount.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;
using Tavrel::PhotoUtil::BaseConfig;
using Tavrel::PhotoUtil::BaseConfigError;
using Tavrel::PhotoUtil::JsonCodec;

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const BaseConfigError& error) {
        return error.what();
    }
    ADD_FAILURE() << "expected a BaseConfigError";
    return {};
}

class BaseConfigStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        BaseConfig::SetStorageFolder(m_dir.path());
    }
    void TearDown() override { BaseConfig::SetStorageFolder({}); }

    QString FilePath(const QString& name) const { return m_dir.filePath(name + ".json"); }
    QStringList Aside(const QString& name) const
    {
        return QDir(m_dir.path()).entryList({name + ".json.damaged-*"}, QDir::Files);
    }

    QTemporaryDir m_dir;
};

// Every kind of value, numbers at their limits and text needing escapes.
PropertyTree SampleTree()
{
    return JsonCodec::Parse(R"({"int": -9223372036854775808, "big": 9223372036854775807, "two": 2.0,
        "tenth": 0.1, "tiny": 5e-324, "huge": 1.7976931348623157e308, "yes": true, "null": null,
        "text": "quote \" slash \\ \n tab\t \u00e9 nul\u0000end", "emptyMap": {}, "emptyList": [],
        "list": ["a", {"x": false}, -7], "forms": [1e2, -0, {"k": 1, "k": 2}, 1e-400]})",
                                 "sample");
}

} // namespace

TEST_F(BaseConfigStorage, EveryScalarFormSurvivesTheFileWrittenOverOldContentInNewFolders)
{
    const PropertyTree tree = SampleTree();
    BaseConfig().Write("panel/sub/forms", PropertyTree(PropertyTreeScalar("first")));
    BaseConfig().Write("panel/sub/forms", tree);
    EXPECT_EQ(BaseConfig().ReadOptional("panel/sub/forms"), tree); // trees tell 2 from 2.0

    const auto& map = tree.getMap();
    EXPECT_EQ(map.at("big"), PropertyTree(PropertyTreeScalar(std::numeric_limits<std::int64_t>::max())));
    EXPECT_EQ(map.at("two"), PropertyTree(PropertyTreeScalar(2.0)));
    const std::string text("quote \" slash \\ \n tab\t \xc3\xa9 nul\0end", 33);
    EXPECT_EQ(map.at("text"), PropertyTree(PropertyTreeScalar(text)));
    const auto& forms = map.at("forms").getList();
    EXPECT_EQ(forms[0], PropertyTree(PropertyTreeScalar(100.0)));
    EXPECT_EQ(forms[1], PropertyTree(PropertyTreeScalar(0)));
    EXPECT_EQ(forms[2].getMap().at("k"), PropertyTree(PropertyTreeScalar(2))); // the last of repeated keys wins
    EXPECT_EQ(forms[3], PropertyTree(PropertyTreeScalar(0.0)));                 // underflow is zero, not an error
}

TEST_F(BaseConfigStorage, FailedWriteThrowsAndKeepsTheOldFile)
{
    const QByteArray old = "{\"kept\": 1}\n";
    WriteBytes(FilePath("config"), old);

    // A double JSON cannot hold.
    PropertyTree bad(PropertyTreeScalar(std::nan("")));
    EXPECT_NE(ErrorOf([&] { BaseConfig().Write("config", bad); }).find("config.json"), std::string::npos);
    EXPECT_EQ(ReadBytes(FilePath("config")), old);

    // The target is a directory.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("folder.json/inner"));
    EXPECT_NE(ErrorOf([&] { BaseConfig().Write("folder", SampleTree()); }).find("folder.json"), std::string::npos);
    EXPECT_TRUE(QFileInfo(FilePath("folder")).isDir());

    // The storage folder cannot be created because a file stands in its place.
    BaseConfig::SetStorageFolder(FilePath("config") + "/below");
    EXPECT_THROW(BaseConfig().Write("x", SampleTree()), BaseConfigError);
    EXPECT_EQ(ReadBytes(FilePath("config")), old);
}

TEST_F(BaseConfigStorage, MissingOptionalIsNullAndDamagedOneIsKeptAsideWithWarning)
{
    LogCapture log;
    EXPECT_TRUE(BaseConfig().ReadOptional("user").isNull());
    EXPECT_TRUE(log.Warnings().empty());

    const QByteArray damaged = "{\"groups\": [1, 2,";
    WriteBytes(FilePath("user"), damaged);
    EXPECT_TRUE(BaseConfig().ReadOptional("user").isNull());

    EXPECT_FALSE(QFileInfo::exists(FilePath("user")));
    const QStringList aside = Aside("user");
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(QRegularExpression("^user\\.json\\.damaged-\\d{8}-\\d{6}$").match(aside[0]).hasMatch())
        << aside[0].toStdString();
    EXPECT_EQ(ReadBytes(m_dir.filePath(aside[0])), damaged);

    const auto warnings = log.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(FilePath("user").toStdString()), std::string::npos);
    EXPECT_NE(warnings[0].find(m_dir.filePath(aside[0]).toStdString()), std::string::npos);
    EXPECT_NE(warnings[0].find("byte offset 17"), std::string::npos) << warnings[0];

    // A second damaged file in the same second must not overwrite the first one.
    WriteBytes(FilePath("user"), "nonsense");
    EXPECT_TRUE(BaseConfig().ReadOptional("user").isNull());
    EXPECT_EQ(Aside("user").size(), 2);
}

TEST_F(BaseConfigStorage, ByteOrderMarkBeforeAUserFileIsSkipped)
{
    WriteBytes(FilePath("user"), "\xEF\xBB\xBF{\"favorites\": [\"mine\"]}");
    LogCapture log;
    EXPECT_EQ(BaseConfig().ReadOptional("user"), JsonCodec::Parse(R"({"favorites": ["mine"]})", "expected"));
    EXPECT_TRUE(log.Warnings().empty());
    EXPECT_TRUE(Aside("user").isEmpty());
    // Offsets still count from the start of the file.
    EXPECT_NE(ErrorOf([] { JsonCodec::Parse("\xEF\xBB\xBF{\"a\": tru}", "bom"); }).find("byte offset 12"),
              std::string::npos);
}

// It said "Unknown error". Only where a small file system can be mounted (as root) can
// the test fill a disk.
TEST_F(BaseConfigStorage, WriteOntoAFullDiskSaysTheDiskIsFull)
{
    const QString full = m_dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(full));
    const QByteArray mountPoint = QFile::encodeName(full);
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a small file system: " << std::strerror(errno);
    const auto unmount = qScopeGuard([&] { umount2(mountPoint.constData(), MNT_DETACH); });
    BaseConfig::SetStorageFolder(full);

    const std::string error =
        ErrorOf([] { BaseConfig().Write("user", PropertyTree(PropertyTreeScalar(std::string(64 * 1024, 'x')))); });
    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_EQ(error.find("Unknown error"), std::string::npos) << error;
    EXPECT_TRUE(QDir(full).isEmpty()) << "no partial file is left on the full disk";
}

TEST_F(BaseConfigStorage, OversizedAndMissingFilesAreRefusedByName)
{
    EXPECT_NE(ErrorOf([] { BaseConfig().Read("/nonexistent/dir/config.json"); }).find("/nonexistent/dir/config.json"),
              std::string::npos);
    QFile file(FilePath("huge"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(static_cast<qint64>(BaseConfig::MaxFileSize) + 1)); // sparse: costs no disk
    file.close();

    const std::string error = ErrorOf([&] { BaseConfig().Read(FilePath("huge").toStdString()); });
    EXPECT_NE(error.find("huge.json"), std::string::npos);
    EXPECT_NE(error.find("larger than"), std::string::npos);

    LogCapture log;
    EXPECT_TRUE(BaseConfig().ReadOptional("huge").isNull());
    EXPECT_EQ(log.Warnings().size(), 1u);
    EXPECT_EQ(Aside("huge").size(), 1);
}

TEST(BaseConfigRead, ResourcePathPrefersAnEditorsFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("configs/Module"));
    WriteBytes(dir.filePath("configs/Module/shipped.json"), "{\"from\": \"editor\"}");

    qunsetenv("GLIMMAR_CONFIG_DIR");
    EXPECT_EQ(BaseConfig::ResourcePath("Module", "shipped", "configs"), ":/configs/Module/shipped.json");
    qputenv("GLIMMAR_CONFIG_DIR", QFile::encodeName(dir.path()));
    const std::string path = BaseConfig::ResourcePath("Module", "shipped", "configs");
    const std::string fallback = BaseConfig::ResourcePath("Module", "other", "configs");
    qunsetenv("GLIMMAR_CONFIG_DIR");
    EXPECT_EQ(path, dir.filePath("configs/Module/shipped.json").toStdString());
    EXPECT_EQ(BaseConfig().Read(path).getMap().at("from"), PropertyTree(PropertyTreeScalar("editor")));
    EXPECT_EQ(fallback, ":/configs/Module/other.json");
}
