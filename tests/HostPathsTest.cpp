#include "Host/GenerateUuid.h"
#include "Host/ModelFile.h"
#include "Host/ioPath.h"

#include <gtest/gtest.h>

#include <QUuid>

#include <set>

using Tavrel::ioPath;
using Tavrel::Proc::Neural::ModelFile;
using Tavrel::Proc::Neural::ModelFileId;
using Tavrel::Proc::Neural::ModelFileIdNames;

TEST(HostPathsTest, ModelBaseNamesAreDistinctFileNames)
{
    std::set<std::string> names;
    for (std::size_t i = 1; i < ModelFileIdNames.size(); ++i) {
        const std::string name = ModelFile::GetBaseName(static_cast<ModelFileId>(i));
        EXPECT_TRUE(ioPath(name).has_extension()) << name;
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), ModelFileIdNames.size() - 1);
    EXPECT_EQ(ModelFile::GetBaseName(ModelFileId::SkySegmentation), "skysegmentation.model");
    EXPECT_EQ(ModelFile::GetBaseName(ModelFileId::Invalid), "");
    EXPECT_EQ(ModelFile::GetBaseName(static_cast<ModelFileId>(ModelFileIdNames.size())), "");
}

TEST(HostPathsTest, IoPathJoinsAndKeepsUtf8)
{
    const ioPath folder("/tmp/Vorschaubilder/\xc3\xa9t\xc3\xa9");
    EXPECT_EQ((folder / ioPath("x.png")).utf8string(), "/tmp/Vorschaubilder/\xc3\xa9t\xc3\xa9/x.png");
    EXPECT_EQ((ioPath("a/") / ioPath("b")).utf8string(), "a/b");

    EXPECT_TRUE(ioPath("x.jpg").has_extension());
    EXPECT_TRUE(ioPath("dir.d/x.tar.gz").has_extension());
    EXPECT_FALSE(ioPath("x").has_extension());
    EXPECT_FALSE(ioPath("dir.d/x").has_extension());
    EXPECT_FALSE(ioPath(".hidden").has_extension());
}

TEST(HostPathsTest, UuidsAreValidAndDiffer)
{
    const QString first = Tavrel::GenerateUuid();
    const QString second = Tavrel::GenerateUuid();
    EXPECT_NE(first, second);
    EXPECT_FALSE(QUuid::fromString(first).isNull());
    EXPECT_FALSE(first.startsWith('{'));
}
