#include "Host/Types/PropertyTree.h"

#include <gtest/gtest.h>

#include <stdexcept>

using Tavrel::PropertyTree;
using Tavrel::PropertyTreeScalar;

TEST(PropertyTreeScalar, ConversionsFailClearly)
{
    EXPECT_THROW(PropertyTreeScalar("abc").toInt(), std::invalid_argument);
    EXPECT_THROW(PropertyTreeScalar(1e30).toInt(), std::out_of_range);
    EXPECT_THROW(PropertyTreeScalar("maybe").convertTo<bool>(), std::invalid_argument);
    EXPECT_THROW(PropertyTreeScalar(3).toCString(), std::invalid_argument);
    EXPECT_TRUE(PropertyTreeScalar("true").convertTo<bool>());
    EXPECT_DOUBLE_EQ(PropertyTreeScalar("0.25").toDouble(), 0.25);
    EXPECT_EQ(PropertyTreeScalar(0.1).toString(), "0.1");
}

TEST(PropertyTree, WrongKindNamesExpectedAndFoundAndConvertToMapKeepsAMap)
{
    PropertyTree tree;
    tree.convertToList();
    try {
        tree.getMap();
        FAIL() << "getMap on a list must throw";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "PropertyTree: expected a map, found a list");
    }
    EXPECT_THROW(PropertyTree().getScalar(), std::exception);

    tree.convertToMap();
    tree.getMap()["a"] = PropertyTree(PropertyTreeScalar(1));
    tree.convertToMap();
    EXPECT_EQ(tree.getMap().size(), 1u);
}
