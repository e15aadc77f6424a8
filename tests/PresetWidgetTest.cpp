#include "GlimmarPresetsUtil/Widgets/PresetWidget.h"
#include "PresetListHarness.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <vector>

using Tavrel::IRemoteResource;
using Tavrel::Glimmar::GlimmarPresets::PresetWidget;

namespace {

// A shown tile that records every action it reports and what it showed at that moment.
class TileTest : public ::testing::Test {
protected:
    void Make(bool userPreset)
    {
        PresetListHarness::UseStyleSheet();
        actions.clear();
        collapsedWhenReported.clear();
        tile = std::make_unique<PresetWidget>(QSize(180, 100), QMargins(4, 4, 4, 4), userPreset);
        tile->SetPresetName(QStringLiteral("Warm light"));
        tile->SetIntensity(0, 100, 50);
        tile->show();
        QObject::connect(tile.get(), &PresetWidget::editingFinish, [this] {
            actions.push_back(tile->GetLastAction());
            collapsedWhenReported.push_back(!Part<QWidget>("sliderFrame").isVisible() &&
                                           !Part<QWidget>("applyContainer").isVisible() &&
                                           !Part<QToolButton>("activateButton").isChecked());
        });
    }

    template <typename T>
    T& Part(const char* name) const
    {
        return *tile->findChild<T*>(QString::fromLatin1(name));
    }

    void Hover() const
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&Part<QToolButton>("activateButton"), &enter);
    }

    std::unique_ptr<PresetWidget> tile;
    std::vector<PresetWidget::EditAction> actions;
    std::vector<bool> collapsedWhenReported;
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST_F(TileTest, ValuesSetFromOutsideAreNoActions)
{
    Make(false);
    tile->SetIntensity(1, 100, 40);
    tile->SetFavourite(true);
    tile->SetApplied(true, true);
    tile->SetApplied(false, false);
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(tile->GetLastAction(), PresetWidget::NoAction);
    EXPECT_EQ(tile->GetIntensity(), 40);
    EXPECT_EQ(Part<QSlider>("intensitySlider").toolTip(), QStringLiteral("Intensity: 40"));
    EXPECT_EQ(Part<QPushButton>("favouriteButton").toolTip(), QStringLiteral("Remove from favorites"));
}

TEST_F(TileTest, DraggingTheSliderReportsEveryValueAndOneEnd)
{
    Make(false);
    tile->SetApplied(true, true);
    auto& slider = Part<QSlider>("intensitySlider");
    const int y = slider.height() / 2;
    SendMouse(&slider, QEvent::MouseButtonPress, QPoint(2, y), Qt::LeftButton);
    for (int x = 10; x < slider.width() - 2; x += 10)
        SendMouse(&slider, QEvent::MouseMove, QPoint(x, y), Qt::LeftButton);
    SendMouse(&slider, QEvent::MouseButtonRelease, QPoint(slider.width() - 2, y), Qt::NoButton);

    ASSERT_GE(actions.size(), 3u);
    EXPECT_EQ(actions.back(), PresetWidget::IntensityChanged);
    EXPECT_EQ(std::count(actions.begin(), actions.end(), PresetWidget::IntensityChanging), int(actions.size()) - 1);
    EXPECT_GT(tile->GetIntensity(), 90);
    EXPECT_EQ(slider.toolTip(), QStringLiteral("Intensity: %1").arg(tile->GetIntensity()));
}

TEST_F(TileTest, ApplyAndCancelCollapseTheTileBeforeReporting)
{
    const std::vector<std::pair<const char*, PresetWidget::EditAction>> buttons = {
        {"applyBtn", PresetWidget::Apply}, {"resetBtn", PresetWidget::Reset}};
    for (const auto& [button, action] : buttons) {
        Make(false);
        tile->SetApplied(true, true);
        QTest::mouseClick(&Part<QPushButton>(button), Qt::LeftButton);
        ASSERT_EQ(actions, std::vector<PresetWidget::EditAction>{action}) << button;
        EXPECT_TRUE(collapsedWhenReported.front()) << button;
        actions.clear();
        collapsedWhenReported.clear();
    }
}

TEST_F(TileTest, HeartAndItsMenuEntryReportTheFavouriteChange)
{
    Make(false);
    Hover();
    QTest::mouseClick(&Part<QPushButton>("favouriteButton"), Qt::LeftButton);
    EXPECT_EQ(actions, std::vector<PresetWidget::EditAction>{PresetWidget::FavouriteChanged});
    EXPECT_TRUE(tile->IsFavourite());
    EXPECT_EQ(Part<QPushButton>("favouriteButton").toolTip(), QStringLiteral("Remove from favorites"));

    Make(true);
    Hover();
    QTest::mouseClick(&Part<QToolButton>("settingsButton"), Qt::LeftButton);
    auto* menu = Part<QToolButton>("settingsButton").findChild<QMenu*>();
    ASSERT_TRUE(menu && menu->isVisible());
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Add effect to favourite"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entries[0]).center());
    EXPECT_EQ(actions, std::vector<PresetWidget::EditAction>{PresetWidget::FavouriteChanged});
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Remove from favorites"));
}

TEST_F(TileTest, AFailedDownloadDisablesTheTileForGood)
{
    Make(false);
    tile->SetDownloadableStatus({IRemoteResource::Failed, 0.3, QStringLiteral("gone")});
    EXPECT_EQ(Part<QLabel>("loadLabel").text(), QStringLiteral("Warm light"));
    EXPECT_TRUE(tile->toolTip().startsWith(QStringLiteral("We have a problem downloading effect, \n please check")));
    QTest::mouseClick(&Part<QToolButton>("activateButton"), Qt::LeftButton);
    EXPECT_TRUE(actions.empty()) << "a failed preset cannot be applied";

    tile->SetDownloadableStatus({IRemoteResource::Loaded, 1.0, {}});
    EXPECT_EQ(Part<QStackedWidget>("headerStackedWidget").currentWidget()->objectName(), "headerPage");
    EXPECT_TRUE(tile->toolTip().isEmpty());
    EXPECT_FALSE(Part<QToolButton>("activateButton").isEnabled());
}
