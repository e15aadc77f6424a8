#include "Host/BaseConfig.h"

#include "tests/LogCapture.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>

using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;
using Tavrel::PhotoUtil::BaseConfig;
using Tavrel::PhotoUtil::BaseConfigError;

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

std::string Nested(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '[') + std::string(static_cast<std::size_t>(depth), ']');
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

    QTemporaryDir m_dir;
};

PropertyTree SampleTree()
{
    PropertyTree tree;
    tree.convertToMap();
    auto& map = tree.getMap();
    map["int"] = PropertyTreeScalar(std::numeric_limits<std::int64_t>::min());
    map["big"] = PropertyTreeScalar(std::numeric_limits<std::int64_t>::max());
    map["two"] = PropertyTreeScalar(2.0);
    map["tenth"] = PropertyTreeScalar(0.1);
    map["tiny"] = PropertyTreeScalar(5e-324);
    map["huge"] = PropertyTreeScalar(1.7976931348623157e308);
    map["yes"] = PropertyTreeScalar(true);
    map["text"] = PropertyTreeScalar(std::string("quote \" slash \\ \n tab\t \xc3\xa9 nul\0end", 32));
    map["null"] = PropertyTree();
    map["emptyMap"].convertToMap();
    map["emptyList"].convertToList();
    auto& list = map["list"];
    list.convertToList();
    list.getList().resize(3);
    list.getList()[0] = PropertyTreeScalar("a");
    list.getList()[1].convertToMap();
    list.getList()[1].getMap()["x"] = PropertyTreeScalar(false);
    list.getList()[2] = PropertyTreeScalar(-7);
    return tree;
}

} // namespace

TEST_F(BaseConfigStorage, EveryScalarFormSurvivesTheFile)
{
    const PropertyTree tree = SampleTree();
    BaseConfig().Write("forms", tree);
    EXPECT_EQ(BaseConfig().ReadOptional("forms"), tree);

    const QByteArray text = ReadBytes(FilePath("forms"));
    EXPECT_TRUE(text.contains("\"two\": 2.0")) << text.toStdString();
    EXPECT_TRUE(text.contains("9223372036854775807")) << text.toStdString();
    EXPECT_LT(text.indexOf("\"big\""), text.indexOf("\"two\"")); // keys in map order
}

TEST_F(BaseConfigStorage, WriteCreatesFoldersAndReplacesTheOldContent)
{
    PropertyTree first = SampleTree();
    BaseConfig().Write("panel/sub/presets", first);
    PropertyTree second(PropertyTreeScalar("second"));
    BaseConfig().Write("panel/sub/presets", second);
    EXPECT_EQ(BaseConfig().ReadOptional("panel/sub/presets"), second);
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("panel/sub/presets.json")));
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

TEST_F(BaseConfigStorage, MissingOptionalIsNullWithoutWarning)
{
    LogCapture log;
    EXPECT_TRUE(BaseConfig().ReadOptional("absent").isNull());
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(BaseConfigStorage, DamagedOptionalIsKeptAsideWithWarning)
{
    const QByteArray damaged = "{\"groups\": [1, 2,";
    WriteBytes(FilePath("user"), damaged);
    LogCapture log;
    EXPECT_TRUE(BaseConfig().ReadOptional("user").isNull());

    EXPECT_FALSE(QFileInfo::exists(FilePath("user")));
    const QStringList aside = QDir(m_dir.path()).entryList({"user.json.damaged-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(QRegularExpression("^user\\.json\\.damaged-\\d{8}-\\d{6}$").match(aside[0]).hasMatch()) << aside[0].toStdString();
    EXPECT_EQ(ReadBytes(m_dir.filePath(aside[0])), damaged);

    const auto warnings = log.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(FilePath("user").toStdString()), std::string::npos);
    EXPECT_NE(warnings[0].find(m_dir.filePath(aside[0]).toStdString()), std::string::npos);
    EXPECT_NE(warnings[0].find("byte offset 17"), std::string::npos) << warnings[0];

    // A second damaged file in the same second must not overwrite the first one.
    WriteBytes(FilePath("user"), "nonsense");
    EXPECT_TRUE(BaseConfig().ReadOptional("user").isNull());
    EXPECT_EQ(QDir(m_dir.path()).entryList({"user.json.damaged-*"}, QDir::Files).size(), 2);
}

TEST_F(BaseConfigStorage, OversizedFilesAreRefusedUnread)
{
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
    EXPECT_EQ(QDir(m_dir.path()).entryList({"huge.json.damaged-*"}, QDir::Files).size(), 1);
}

TEST(BaseConfigParse, ErrorsNameOriginOffsetAndReason)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"{\"a\": tru}", "byte offset 9: Invalid value"},
        {"", "empty"},
        {"[1] [2]", "root must not be followed"},
        {"18446744073709551615", "does not fit 64 bits"},
        {"-9223372036854775809", "does not fit 64 bits"},
        {"123456789012345678901234567890", "does not fit 64 bits"},
        {"1e400", "Number too big"},
        {"{\"a\": \"unterminated}", "Missing a closing quotation mark"},
    };
    for (const Case& c : cases) {
        const std::string error = ErrorOf([&] { BaseConfig::ParseJson(c.text, "origin.json"); });
        EXPECT_EQ(error.rfind("origin.json: ", 0), 0u) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " -> " << error;
    }
    const std::string withNul("{}\0{}", 5);
    EXPECT_THROW(BaseConfig::ParseJson(withNul, "nul"), BaseConfigError);
}

TEST(BaseConfigParse, DepthIsCappedWithoutRecursion)
{
    EXPECT_NO_THROW(BaseConfig::ParseJson(Nested(BaseConfig::MaxDepth), "deep"));
    EXPECT_NE(ErrorOf([] { BaseConfig::ParseJson(Nested(BaseConfig::MaxDepth + 1), "deep"); }).find("nesting deeper"),
              std::string::npos);
    // Far beyond any stack a recursive parser could use.
    EXPECT_THROW(BaseConfig::ParseJson(std::string(2'000'000, '['), "deeper"), BaseConfigError);
    EXPECT_THROW(BaseConfig::ParseJson(std::string(2'000'000, '{'), "deeper"), BaseConfigError);
}

TEST(BaseConfigParse, NumbersKeepTheirForm)
{
    const PropertyTree tree = BaseConfig::ParseJson(R"([9223372036854775807, 2.0, 1e2, -0, 0.1, {"k": 1, "k": 2}, 1e-400])", "n");
    const auto& list = tree.getList();
    EXPECT_EQ(list[0], PropertyTree(PropertyTreeScalar(std::numeric_limits<std::int64_t>::max())));
    EXPECT_EQ(list[1], PropertyTree(PropertyTreeScalar(2.0)));
    EXPECT_EQ(list[2], PropertyTree(PropertyTreeScalar(100.0)));
    EXPECT_EQ(list[3], PropertyTree(PropertyTreeScalar(0)));
    EXPECT_EQ(list[4].getScalar().toDouble(), 0.1);
    EXPECT_EQ(list[5].getMap().at("k"), PropertyTree(PropertyTreeScalar(2))); // the last of repeated keys wins
    EXPECT_EQ(list[6], PropertyTree(PropertyTreeScalar(0.0)));                 // underflow is zero, not an error
    EXPECT_EQ(BaseConfig::ParseJson(BaseConfig::ToJson(tree), "again"), tree);
}

TEST(BaseConfigRead, MissingPathIsNamed)
{
    const std::string error = ErrorOf([] { BaseConfig().Read("/nonexistent/dir/config.json"); });
    EXPECT_NE(error.find("/nonexistent/dir/config.json"), std::string::npos);
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
