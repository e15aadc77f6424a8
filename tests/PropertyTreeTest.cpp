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

// Writers fill an existing map in place; converting it again must not empty it.
TEST(PropertyTree, ConvertToMapKeepsAMap)
{
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap()["a"] = PropertyTree(PropertyTreeScalar(1));
    tree.convertToMap();
    EXPECT_EQ(tree.getMap().size(), 1u);
}
