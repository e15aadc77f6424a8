#include "Host/Types/BaseConfig.h"
#include "Host/Types/JsonCodec.h"

#include "tests/FileBytes.h"
#include "tests/LargeConfig.h"
#include "tests/LogCapture.h"
#include "tests/PermissionsTaken.h"
#include "tests/PropertyTreePrinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <thread>

using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;
using Tavrel::PhotoUtil::BaseConfig;
using Tavrel::PhotoUtil::BaseConfigError;
using Tavrel::PhotoUtil::JsonCodec;

namespace {

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

// A full disk said "Unknown error". Only where a small file system can be mounted (as root)
// can the test fill a disk.
TEST_F(BaseConfigStorage, WriteThatTheFolderRefusesSaysWhyAndLeavesTheOldFileByteForByte)
{
    const QString folder = m_dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    BaseConfig::SetStorageFolder(folder);
    const QByteArray old = "{\"kept\": 1}\n";
    WriteBytes(folder + "/user.json", old);
    const PropertyTree large(PropertyTreeScalar(std::string(64 * 1024, 'x')));

    const QByteArray mountPoint = QFile::encodeName(folder);
    std::optional<PermissionsTaken> readOnly;
    const struct {
        const char* cause;
        std::function<std::string()> refuse; // an empty text, or why the folder cannot be made so
        std::function<void()> restore;
        const char* error;
    } cases[] = {
        {"full disk",
         [&] {
             // The old file goes onto the small file system, which has room for the lock file only.
             if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0)
                 return std::string("cannot mount a small file system: ") + std::strerror(errno);
             WriteBytes(folder + "/user.json", old);
             return std::string();
         },
         [&] { umount2(mountPoint.constData(), MNT_DETACH); }, std::strerror(ENOSPC)},
        {"read-only folder",
         [&] {
             readOnly.emplace(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
             return std::string();
         },
         [&] { readOnly.reset(); }, "no permission to create its lock file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        const std::string skipped = c.refuse();
        if (!skipped.empty()) {
            std::cout << "[ SKIPPED  ] " << c.cause << ": " << skipped << "\n";
            continue;
        }
        const auto restore = qScopeGuard(c.restore);
        const std::string error = ErrorOf([&] { BaseConfig().Write("user", large); });
        EXPECT_NE(error.find(folder.toStdString() + "/user.json"), std::string::npos) << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(error.find("Unknown error"), std::string::npos) << error;
        EXPECT_EQ(ReadBytes(folder + "/user.json"), old);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"user.json"})
            << "no partial file is left";
    }
}

namespace {

// Writers of LargeConfig in processes of their own (tests/ConfigWriter).
class ConfigWriters : public BaseConfigStorage {
protected:
    void Start(QProcess& writer, int seed, int count)
    {
        writer.start(GLIMMAR_CONFIG_WRITER, {m_dir.path(), "large", QString::number(seed), QString::number(count)});
        ASSERT_TRUE(writer.waitForStarted(10000)) << writer.errorString().toStdString();
    }
    static bool Finish(QProcess& writer) { return writer.waitForFinished(20000); }

    // The file as LargeConfig(seed) is written: the same text but for the seed at its end.
    static QByteArray Text(int seed)
    {
        static const std::pair<QByteArray, QByteArray> around = [] {
            const std::string text = JsonCodec::Serialize(Tavrel::Tests::LargeConfig(123456789)) + '\n';
            const std::size_t at = text.rfind("123456789");
            return std::make_pair(QByteArray::fromStdString(text.substr(0, at)),
                                  QByteArray::fromStdString(text.substr(at + 9)));
        }();
        return around.first + QByteArray::number(seed) + around.second;
    }
    QByteArray Stored() const { return ReadBytes(FilePath("large")); }
    QStringList Files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

} // namespace

TEST_F(ConfigWriters, KilledAtAnyMomentLeavesTheOldOrTheNewFileAndNoTemporaryForEver)
{
    // One write uninterrupted, to spread the kills over the time a write takes here.
    QProcess first;
    Start(first, 1, 1);
    ASSERT_TRUE(first.waitForReadyRead(10000));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(Finish(first));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    const qint64 writeTime = timer.nsecsElapsed() / 1000;

    std::mt19937 random(20261205);
    std::uniform_int_distribution<qint64> delay(0, writeTime);
    QByteArray current = Stored();
    ASSERT_EQ(current, Text(1));
    int interrupted = 0;
    for (int seed = 2; seed < 102; ++seed) {
        const QByteArray next = Text(seed);
        QProcess writer;
        Start(writer, seed, 1);
        ASSERT_TRUE(writer.waitForReadyRead(10000));
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        writer.kill();
        ASSERT_TRUE(Finish(writer));
        interrupted += writer.exitStatus() == QProcess::CrashExit;

        const QByteArray stored = Stored();
        ASSERT_TRUE(stored == current || stored == next)
            << "killed writer " << seed << " left " << stored.size() << " bytes: " << stored.left(200).toStdString();
        current = stored;
        // At most the one of the writer just killed: the next one removes it.
        ASSERT_LE(Files().filter(".saving-").size(), 1) << Files().join(' ').toStdString();
    }
    std::cout << interrupted << " of 100 writers were killed before they finished\n";
    // How many land mid-write depends on the machine's load; some must, or nothing was tested.
    EXPECT_GT(interrupted, 0) << "the kills must land while the writers write";

    // A lock file left by a writer killed before it could say who it was holds nobody up.
    WriteBytes(FilePath("large") + ".lock", "");
    BaseConfig().Write("large", PropertyTree(PropertyTreeScalar("after")));
    EXPECT_EQ(Files(), QStringList{"large.json"});
}

// Two editors closing at once: without the lock the second one's clean-up removed the first
// one's temporary under its feet, or both wrote into one.
TEST_F(ConfigWriters, WritersInTwoProcessesTakeTurnsAndTheFileIsAlwaysOneWholeWrite)
{
    BaseConfig().Write("large", Tavrel::Tests::LargeConfig(1));
    const QByteArray texts[] = {Text(1), Text(2), Text(3)};
    QProcess second, third;
    Start(second, 2, 15);
    Start(third, 3, 15);
    std::set<int> seen;
    while (second.state() != QProcess::NotRunning || third.state() != QProcess::NotRunning) {
        const QByteArray stored = Stored();
        const auto found = std::find(std::begin(texts), std::end(texts), stored);
        ASSERT_NE(found, std::end(texts)) << stored.size() << " bytes: " << stored.left(200).toStdString();
        seen.insert(static_cast<int>(found - std::begin(texts)) + 1);
        second.waitForFinished(1);
        third.waitForFinished(1);
    }
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(third.exitCode(), 0) << third.readAllStandardError().toStdString();
    EXPECT_GE(seen.size(), 2u) << "the file was read while the writers took turns";
    EXPECT_EQ(Files(), QStringList{"large.json"});
}
