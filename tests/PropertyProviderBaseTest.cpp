#include "Host/Kit/PropertyProviderBase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>

namespace Tavrel::Tests {

class TileMetrics : public Tessel::PropertyProviderBase {
    Q_OBJECT
    Q_PROPERTY(int Width MEMBER width)
    Q_PROPERTY(int Height MEMBER height)
    Q_PROPERTY(QColor Accent MEMBER accent)

public:
    using PropertyProviderBase::PropertyProviderBase;
    int width = 0;
    int height = 0;
    QColor accent;
};

} // namespace Tavrel::Tests

namespace {

using Tavrel::Tests::TileMetrics;

class PropertyProviderBaseTest : public ::testing::Test {
protected:
    void TearDown() override { qApp->setStyleSheet({}); }
};

struct SheetCase {
    const char* name;
    const char* sheet;
    int width;
    int height;
    friend void PrintTo(const SheetCase& c, std::ostream* os) { *os << c.sheet; }
};

class PropertyProviderSheetTest : public PropertyProviderBaseTest, public ::testing::WithParamInterface<SheetCase> {};

TEST_P(PropertyProviderSheetTest, TakesTheValuesOfRulesThatNameItsClass)
{
    qApp->setStyleSheet(GetParam().sheet);
    TileMetrics metrics;
    metrics.Prepare();
    EXPECT_EQ(metrics.width, GetParam().width);
    EXPECT_EQ(metrics.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, PropertyProviderSheetTest,
    ::testing::Values(
        SheetCase{"NamespacedClass", "Tavrel--Tests--TileMetrics { qproperty-Width: 200; qproperty-Height: 120 }", 200, 120},
        SheetCase{"BareClassNameAndPixels", "TileMetrics { qproperty-Width: 180px; }", 180, 0},
        SheetCase{"BaseClass", "Tavrel--Tessel--PropertyProviderBase { qproperty-Height: 90; }", 0, 90},
        SheetCase{"OneOfSeveralSelectors", "QLabel, TileMetrics{qproperty-Width:7}", 7, 0},
        SheetCase{"LaterRuleWins", "TileMetrics { qproperty-Width: 1; } QWidget { color: red; } TileMetrics { qproperty-Width: 2; }", 2, 0},
        SheetCase{"CommentsIgnored", "/* TileMetrics { qproperty-Width: 5; } */ TileMetrics { /* x */ qproperty-Height: 6; }", 0, 6},
        SheetCase{"OtherClassesIgnored", "QLabel { qproperty-Width: 5; } TileMetricsTwo { qproperty-Width: 6; }", 0, 0},
        SheetCase{"StatesAndDescendantsIgnored", "TileMetrics:hover { qproperty-Width: 5; } QWidget TileMetrics { qproperty-Width: 6; }", 0, 0},
        SheetCase{"OtherObjectNameIgnored", "TileMetrics#other { qproperty-Width: 5; }", 0, 0},
        SheetCase{"NoSheet", "", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PropertyProviderBaseTest, TheWidgetsOwnSheetOverridesTheApplicationsAndBadValuesChangeNothing)
{
    qApp->setStyleSheet("TileMetrics { qproperty-Width: 200; qproperty-Height: 120; qproperty-Accent: #4b8bff; }");
    QWidget panel;
    panel.setStyleSheet("TileMetrics { qproperty-Width: 150; qproperty-Height: tall; qproperty-Depth: 3; }");
    TileMetrics metrics(&panel);
    metrics.Prepare();
    EXPECT_EQ(metrics.width, 150);
    EXPECT_EQ(metrics.height, 120) << "a value that does not convert leaves the property";
    EXPECT_EQ(metrics.accent, QColor("#4b8bff"));
    EXPECT_FALSE(metrics.property("Depth").isValid()) << "unknown names do not become dynamic properties";
}

} // namespace

#include "PropertyProviderBaseTest.moc"
