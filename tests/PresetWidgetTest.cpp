#include "PresetListHarness.h"

#include "Host/Kit/ClickSlider.h"
#include "Host/Kit/ElidedLabel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

using namespace PresetListHarness;

namespace {

constexpr int PictureWidth = 200; // the style sheet's PreviewWidth: the preview and its margins

void Hover(QWidget& widget, bool enter)
{
    QEvent event(enter ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

QRect InTile(QWidget& part, const PresetWidget& tile) { return {part.mapTo(&tile, QPoint(0, 0)), part.size()}; }

} // namespace

// The tile takes the whole row; the picture keeps the preview's size (a narrower row crops it) and
// the applied tile's slider and buttons stay with the picture.
TEST(TileGeometry, PictureSliderAndButtonsKeepTogetherAtAnyRowWidth)
{
    UseStyleSheet();
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Light", ExposureItems("light", 2)));
    Harness harness(config);
    for (const int listWidth : {180, 260, 420}) {
        SCOPED_TRACE(listWidth);
        harness.Open(QSize(listWidth, 700));
        harness.SelectGroup(FirstConfiguredRow);
        QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
        harness.Paint();

        PresetWidget& tile = *harness.Tile(0);
        const QRect row = harness.View().visualRect(harness.Shown().index(0, 0));
        EXPECT_EQ(tile.geometry(), row) << "the tile takes the row the delegate gives it";
        const QRect picture = InTile(harness.Part<QWidget>(0, "activateButton"), tile);
        EXPECT_EQ(picture.width(), std::min(PictureWidth, row.width()));
        EXPECT_LE(std::abs(picture.center().x() - tile.rect().center().x()), 1) << "centred in the row";
        const QRect slider = InTile(harness.Part<QWidget>(0, "intensitySlider"), tile);
        EXPECT_EQ(slider.width(), picture.width() - 36) << "the slider spans the picture inside its margins";
        const QRect apply = InTile(harness.Part<QWidget>(0, "applyBtn"), tile);
        EXPECT_EQ(apply.right(), picture.right() - 4) << "the apply buttons end where the picture ends";
        EXPECT_GT(apply.top(), picture.bottom());
    }
}

// A name too long for its row is cut before the heart and read whole in the tip; a favourite
// shows its heart at rest, where the button appears on hover.
TEST(TileHeader, LongNamesAreCutBeforeTheHeartAndFavouritesShowTheirHeartAtRest)
{
    UseStyleSheet();
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Names", {TestPresets::ExposureItem("Golden hour over the harbour at dusk"),
                                              TestPresets::ExposureItem("Mist")}));
    Harness harness(config);
    harness.Open();
    harness.SelectGroup(FirstConfiguredRow);

    auto& name = harness.Part<Tavrel::ElidedLabel>(0, "presetNameLabel");
    EXPECT_EQ(name.text(), QStringLiteral("Golden hour over the harbour at dusk"));
    EXPECT_TRUE(name.ShownText().endsWith(QStringLiteral("…"))) << name.ShownText().toStdString();
    EXPECT_EQ(harness.Part<Tavrel::ElidedLabel>(1, "presetNameLabel").ShownText(), QStringLiteral("Mist"));
    QHelpEvent tip(QEvent::ToolTip, name.rect().center(), name.mapToGlobal(name.rect().center()));
    QApplication::sendEvent(&name, &tip);
    EXPECT_EQ(QToolTip::text(), name.text());
    QToolTip::hideText();

    auto& picture = harness.Part<QToolButton>(0, "activateButton");
    auto& heart = harness.Part<QPushButton>(0, "favouriteButton");
    auto& mark = harness.Part<QLabel>(0, "favouriteMark");
    Hover(picture, true);
    harness.Paint();
    EXPECT_LT(name.mapTo(&picture, name.rect().topRight()).x(), heart.mapTo(&picture, QPoint(0, 0)).x());
    EXPECT_LE(name.fontMetrics().horizontalAdvance(name.ShownText()), name.contentsRect().width())
        << "cut again to the room the heart leaves";
    QTest::mouseClick(&heart, Qt::LeftButton);
    harness.Paint();
    EXPECT_FALSE(mark.isVisible()) << "the button itself shows while hovered";
    Hover(harness.Part<QToolButton>(0, "activateButton"), false);
    EXPECT_TRUE(mark.isVisible());
    EXPECT_FALSE(harness.Part<QLabel>(1, "favouriteMark").isVisible()) << "only on favourites";

    Hover(harness.Part<QToolButton>(0, "activateButton"), true);
    QTest::mouseClick(&harness.Part<QPushButton>(0, "favouriteButton"), Qt::LeftButton);
    harness.Paint();
    Hover(harness.Part<QToolButton>(0, "activateButton"), false);
    EXPECT_FALSE(harness.Part<QLabel>(0, "favouriteMark").isVisible());
}

// From the keyboard: the heart is reachable from the picture, every part shows that it has the
// focus, and the intensity tip appears by the handle, not by the pointer.
TEST(TileKeyboard, FocusIsVisibleOnEveryPartAndTheIntensityTipFollowsTheHandle)
{
    UseStyleSheet();
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Light", ExposureItems("light", 2)));
    Harness harness(config);
    harness.Open(QSize(260, 700));
    harness.SelectGroup(FirstConfiguredRow);
    QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
    harness.Paint();
    QApplication::setActiveWindow(harness.list.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(harness.list.get()));

    auto& picture = harness.Part<QToolButton>(0, "activateButton");
    auto& heart = harness.Part<QPushButton>(0, "favouriteButton");
    picture.setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(heart.isVisible()) << "the heart shows while the picture has the keyboard";
    QTest::keyClick(&picture, Qt::Key_Tab);
    EXPECT_TRUE(heart.hasFocus());
    EXPECT_TRUE(heart.isVisible());

    Hover(picture, true); // the heart shows whatever has the focus
    for (const char* part : {"activateButton", "favouriteButton", "intensitySlider", "resetBtn", "applyBtn"}) {
        SCOPED_TRACE(part);
        QWidget& widget = harness.Part<QWidget>(0, part);
        harness.Part<QWidget>(0, QByteArray(part) == "applyBtn" ? "resetBtn" : "applyBtn").setFocus(Qt::TabFocusReason);
        const QImage before = widget.grab().toImage();
        widget.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(widget.hasFocus());
        EXPECT_NE(widget.grab().toImage(), before) << "the focus shows";
    }

    auto& slider = harness.Part<Tavrel::ClickSlider>(0, "intensitySlider");
    slider.setFocus(Qt::TabFocusReason);
    QCursor::setPos(slider.mapToGlobal(QPoint(300, 300)));
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Intensity: %1").arg(slider.value()));
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    ASSERT_TRUE(tip);
    const QPoint handle = slider.mapToGlobal(slider.HandleRect().center());
    EXPECT_LT((tip->geometry().topLeft() - handle).manhattanLength(), 40)
        << "tip at " << tip->x() << "," << tip->y() << ", handle at " << handle.x() << "," << handle.y();
    QToolTip::hideText();
}
