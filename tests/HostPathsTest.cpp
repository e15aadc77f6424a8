#include "Host/GenerateUuid.h"
#include "Host/ModelFile.h"
#include "Host/ioPath.h"

#include <gtest/gtest.h>

#include <set>

using Tavrel::ioPath;
using namespace Tavrel::Proc::Neural;

TEST(HostPathsTest, IoPathJoinsUtf8AndSeesExtensions)
{
    EXPECT_EQ((ioPath("/tmp/\xc3\xa9t\xc3\xa9") / ioPath("x.png")).utf8string(), "/tmp/\xc3\xa9t\xc3\xa9/x.png");
    EXPECT_TRUE(ioPath("x.jpg").has_extension());
    EXPECT_FALSE(ioPath("dir.d/x").has_extension());
    EXPECT_FALSE(ioPath(".hidden").has_extension());
}

TEST(HostPathsTest, ModelBaseNamesAndUuidsAreDistinct)
{
    std::set<std::string> names;
    for (std::size_t i = 1; i < ModelFileIdNames.size(); ++i)
        names.insert(ModelFile::GetBaseName(static_cast<ModelFileId>(i)));
    EXPECT_EQ(names.size(), ModelFileIdNames.size() - 1);
    EXPECT_EQ(ModelFile::GetBaseName(ModelFileId::Invalid), "");
    EXPECT_NE(Tavrel::GenerateUuid(), Tavrel::GenerateUuid());
}
