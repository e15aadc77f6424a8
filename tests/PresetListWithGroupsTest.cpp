#include "FakeResources.h"
#include "PresetListHarness.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>


using namespace PresetListHarness;
using Tavrel::IRemoteResource;
using Tavrel::ResourceId;

namespace {

PresetConfig::Config SampleConfig()
{
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Light", ExposureItems("light", 4)));
    config.m_groups.push_back(Group("Colour", {TestPresets::PlainItem("grey", "saturation", {{"amount", -100.0}}),
                                               TestPresets::PlainItem("vivid", "saturation", {{"amount", 60.0}})}));
    return config;
}

constexpr int LightRow = FirstConfiguredRow;
constexpr int ColourRow = FirstConfiguredRow + 1;

class ListTest : public ::testing::Test {
protected:
    void SetUp() override { UseStyleSheet(); }

    Harness harness{SampleConfig(), ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

QWidget* TopLevel(const char* objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(objectName))
            return widget;
    return nullptr;
}

void Hover(QWidget& button)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&button, &enter);
}

void ChooseFromSettingsMenu(Harness& h, int row, const QString& entry)
{
    Hover(h.Part<QToolButton>(row, "activateButton"));
    QTest::mouseClick(&h.Part<QToolButton>(row, "settingsButton"), Qt::LeftButton);
    auto* menu = h.Part<QToolButton>(row, "settingsButton").findChild<QMenu*>();
    for (QAction* action : menu->actions())
        if (action->text() == entry)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

Tavrel::PhotoCore::EffectsSettings UserEffects()
{
    Tavrel::PhotoCore::EffectsSettings settings;
    settings.Effects().push_back(MakeEffect("saturation", {{"amount", 40.0}}));
    return settings;
}

} // namespace

TEST_F(ListTest, DraggingTheSliderRepaintsThePhotoAtTheNewIntensity)
{
    harness.Open();
    harness.SelectGroup(LightRow);
    QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
    harness.Paint();
    const QImage atStart = harness.Photo();

    auto& slider = harness.Part<QSlider>(0, "intensitySlider");
    const int y = slider.height() / 2;
    const auto send = [&slider, y](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPoint(x, y), slider.mapToGlobal(QPoint(x, y)), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(&slider, &event);
    };
    send(QEvent::MouseButtonPress, slider.width() / 2, Qt::LeftButton);
    for (int x = slider.width() / 2; x < slider.width(); x += 8)
        send(QEvent::MouseMove, x, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, slider.width() - 1, Qt::NoButton);

    const QImage brighter = harness.Photo();
    EXPECT_NE(brighter, atStart);
    EXPECT_GT(qGray(brighter.pixel(10, 10)), qGray(atStart.pixel(10, 10)));
    EXPECT_EQ(harness.Shown().index(0, 0).data(ModelPreset::IntensityValueRole).toInt(), slider.value());
    EXPECT_EQ(slider.toolTip(), QStringLiteral("Intensity: %1").arg(slider.value()));
    const auto committed = harness.controller->Drawer().GetEntry(-1).settings;
    EXPECT_DOUBLE_EQ(Param(*committed.Effects().at(0), "amount").toDouble(), 2.0 * slider.value() / 100)
        << "the release commits the last value into the photo's history";
    EXPECT_TRUE(harness.list->HasChanges()) << "the intensity changes the applied preset, it does not confirm it";
}

TEST_F(ListTest, ClickingATileAppliesItsPresetThenApplyKeepsThePhotoAndCancelRestoresItByteForByte)
{
    harness.Open();
    harness.SelectGroup(LightRow);
    QAbstractItemModelTester tester(&harness.Shown());
    const QImage original = harness.Photo();
    const int normalHeight = harness.View().visualRect(harness.Shown().index(2, 0)).height();
    for (const char* button : {"resetBtn", "applyBtn"}) {
        QTest::mouseClick(&harness.Part<QToolButton>(2, "activateButton"), Qt::LeftButton);
        harness.Paint();
        const QImage applied = harness.Photo();
        EXPECT_NE(applied, original) << button;
        EXPECT_TRUE(harness.list->HasChanges()) << button;
        EXPECT_TRUE(harness.Shown().index(2, 0).data(ModelPreset::ApplyRole).toBool()) << button;
        EXPECT_TRUE(harness.Part<QWidget>(2, "sliderFrame").isVisible()) << button;
        EXPECT_GT(harness.View().visualRect(harness.Shown().index(2, 0)).height(), normalHeight)
            << "the applied row takes the applied height";
        QTest::mouseClick(&harness.Part<QPushButton>(2, button), Qt::LeftButton);
        harness.Paint();

        EXPECT_FALSE(harness.list->HasChanges()) << button;
        EXPECT_FALSE(harness.Shown().index(2, 0).data(ModelPreset::ApplyRole).toBool()) << button;
        EXPECT_FALSE(harness.Part<QWidget>(2, "applyContainer").isVisible()) << button;
        const QImage after = harness.Photo();
        if (QByteArray(button) == "resetBtn") {
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(after.constBits()), after.sizeInBytes()),
                      QByteArray(reinterpret_cast<const char*>(original.constBits()), original.sizeInBytes()));
        } else {
            EXPECT_EQ(after, applied);
        }
    }
}

// The all-presets group, shown once, lists the tried preset before the shown group does: its
// model confirms or resets it, and the shown tile must not be left looking applied.
TEST_F(ListTest, ConfirmingOrDiscardingFromTheEditorLeavesNoTileApplied)
{
    harness.Open();
    harness.SelectGroup(AllRow);
    harness.SelectGroup(LightRow);
    for (const auto editorRequest : {&PresetListWithGroups::ApplyCurrentPreset, &PresetListWithGroups::DiscardCurrentPreset}) {
        QTest::mouseClick(&harness.Part<QToolButton>(1, "activateButton"), Qt::LeftButton);
        harness.Paint();
        ASSERT_TRUE(harness.Part<QWidget>(1, "applyContainer").isVisible());
        (harness.list.get()->*editorRequest)();
        harness.Paint();
        EXPECT_FALSE(harness.list->HasChanges());
        EXPECT_FALSE(harness.Part<QToolButton>(1, "activateButton").isChecked());
        EXPECT_FALSE(harness.Part<QWidget>(1, "applyContainer").isVisible());
    }
}

TEST_F(ListTest, ATriedTileAtTheBottomEndsWhollyInView)
{
    harness.Open(QSize(260, 420));
    harness.SelectGroup(LightRow);
    QListView& view = harness.View();
    int last = 0;
    while (view.viewport()->rect().intersects(view.visualRect(harness.Shown().index(last + 1, 0))))
        ++last;
    QTest::mouseClick(&harness.Part<QToolButton>(last, "activateButton"), Qt::LeftButton);
    harness.Paint();
    EXPECT_TRUE(view.viewport()->rect().contains(view.visualRect(harness.Shown().index(last, 0))));
}

TEST_F(ListTest, AKeyboardUserMovesFromTileToTileTriesAPresetAndSetsItsIntensity)
{
    harness.Open(QSize(260, 420));
    QApplication::setActiveWindow(harness.list.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(harness.list.get()));
    harness.SelectGroup(LightRow);
    QListView& view = harness.View();
    harness.Part<QToolButton>(0, "activateButton").setFocus(Qt::TabFocusReason);
    for (int row = 1; row <= 3; ++row) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        harness.Paint();
        ASSERT_EQ(QApplication::focusWidget(), &harness.Part<QToolButton>(row, "activateButton"));
        EXPECT_TRUE(view.viewport()->rect().contains(view.visualRect(harness.Shown().index(row, 0))));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    harness.Paint();
    EXPECT_TRUE(harness.list->HasChanges());

    auto& slider = harness.Part<QSlider>(3, "intensitySlider");
    slider.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&slider, Qt::Key_PageUp);
    const auto latest = harness.controller->Drawer().GetEntry(-1).settings;
    EXPECT_DOUBLE_EQ(Param(*latest.Effects().at(0), "amount").toDouble(), 2.0 * slider.value() / 100)
        << "a key's change is committed at once, as a released drag is";
    EXPECT_EQ(harness.Shown().index(3, 0).data(ModelPreset::IntensityValueRole).toInt(), slider.value());
}

TEST_F(ListTest, RenameRefusesATakenNameInTheOpenDialog)
{
    harness.Open();
    ASSERT_TRUE(harness.list->AddUserPreset(QStringLiteral("Mine"), "mine", UserEffects(), false));
    harness.SelectGroup(CustomRow);
    QAbstractItemModelTester tester(&harness.Shown());

    bool errorShown = false;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = TopLevel("InputNameDialog");
        ASSERT_TRUE(dialog);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        auto* accept = dialog->findChild<QPushButton*>(QStringLiteral("acceptButton"));
        EXPECT_EQ(edit->text(), QStringLiteral("Mine"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("light1"));
        QTest::mouseClick(accept, Qt::LeftButton);
        errorShown = dialog->findChild<QLabel*>(QStringLiteral("errorLabel"))->isVisible();
        stayedOpen = dialog->isVisible();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Evening"));
        QTest::mouseClick(accept, Qt::LeftButton);
    });
    ChooseFromSettingsMenu(harness, 0, QStringLiteral("Rename"));
    harness.Paint();

    EXPECT_TRUE(errorShown);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(TopLevel("InputNameDialog"), nullptr);
    EXPECT_EQ(harness.Part<QLabel>(0, "presetNameLabel").text(), QStringLiteral("Evening"));
}

TEST_F(ListTest, DeleteAsksFirstAndTakesAPresetBeingTriedOffThePhoto)
{
    harness.Open();
    const QImage original = harness.Photo();
    ASSERT_TRUE(harness.list->AddUserPreset(QStringLiteral("Mine"), "mine", UserEffects(), false));
    // Cancelling keeps the preset; confirming deletes it.
    for (const auto& [button, rowsLeft] : {std::pair{"secondButton", 1}, std::pair{"firstButton", 0}}) {
        harness.SelectGroup(CustomRow);
        if (!harness.Part<QToolButton>(0, "activateButton").isChecked())
            QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
        ASSERT_NE(harness.Photo(), original);
        QAbstractItemModelTester tester(&harness.Shown());
        QTimer::singleShot(0, [name = button] {
            QWidget* alert = TopLevel("deletePresetAlert");
            ASSERT_TRUE(alert);
            QTest::mouseClick(alert->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        });
        ChooseFromSettingsMenu(harness, 0, QStringLiteral("Delete"));
        harness.Paint();
        EXPECT_EQ(harness.Shown().rowCount(), rowsLeft) << button;
        EXPECT_EQ(harness.list->HasChanges(), rowsLeft == 1) << button;
        EXPECT_EQ(harness.Photo() == original, rowsLeft == 0) << button;
    }
    auto* pages = harness.list->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("emptyPage"));
    EXPECT_EQ(harness.list->findChild<QLabel*>(QStringLiteral("emptyLabel"))->text(),
              QStringLiteral("To add new user preset, click add preset button in manual mode"));
}

TEST_F(ListTest, TheSelectorShowsEachGroupOrItsHint)
{
    harness.Open();
    auto* pages = harness.list->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    auto* selector = harness.list->findChild<QComboBox*>(QStringLiteral("groupsComboBox"));
    const struct {
        int row;
        const char* page;
        int rows;
    } cases[] = {{ColourRow, "viewPage", 2}, {CustomRow, "emptyPage", 0}, {LightRow, "viewPage", 4}, {AllRow, "viewPage", 6}};
    for (const auto& c : cases) {
        QTest::keyClick(selector, Qt::Key_Home);
        for (int i = 0; i < c.row; ++i)
            QTest::keyClick(selector, Qt::Key_Down);
        harness.Paint();
        EXPECT_EQ(pages->currentWidget()->objectName(), QLatin1String(c.page)) << c.row;
        EXPECT_EQ(harness.Shown().rowCount(), c.rows) << c.row;
        EXPECT_EQ(harness.packageInfo.presetGroupIndex, c.row) << "the applier follows the shown group";
    }
}

TEST(ListStartGroup, OpensOnThePopularGroupElseOnTheFirst)
{
    UseStyleSheet();
    struct Case {
        bool popularSlot;
        std::string configuredName;
        int expectedRow;
    } cases[] = {{true, "Light", PopularRow},
                 {false, "Popular effects of the week", FirstConfiguredRow},
                 {false, "Light", 0}};
    for (const Case& c : cases) {
        PresetConfig::Config config;
        config.m_groups.push_back(Group("Other", ExposureItems("other", 1)));
        config.m_groups.push_back(Group(c.configuredName, ExposureItems("named", 1)));
        Harness harness(config);
        if (!c.popularSlot)
            harness.initializer.groupSlots.popularSlot = {nullptr, -1}; // "Other" takes its row
        PresetListWithGroups& list = harness.Open();
        EXPECT_EQ(list.findChild<QComboBox*>()->currentIndex(), c.expectedRow) << c.configuredName;
    }
}

struct WheelCase {
    int tileHeight;
    int delta;
    int expectedDelta;
};

class ListWheel : public ::testing::TestWithParam<WheelCase> {};

TEST_P(ListWheel, ANotchScrollsAQuarterTile)
{
    const WheelCase c = GetParam();
    UseStyleSheet(QStringLiteral("Tavrel--Glimmar--GlimmarPresets--PresetPropertyHelper {"
                                 " qproperty-PreviewHeightNormal: %1; }")
                      .arg(c.tileHeight));
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Many", ExposureItems("many", 40)));
    Harness harness(config);
    harness.Open(QSize(260, 900));
    harness.SelectGroup(FirstConfiguredRow);
    // One wheel line of 120 pixels: the scroll bar moves by exactly the angle delta it receives.
    QScrollBar* bar = harness.View().verticalScrollBar();
    bar->setSingleStep(120);
    const int wheelLines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(1);
    bar->setValue(bar->maximum() / 2);
    const int start = bar->value();

    QWheelEvent wheel(QPointF(50, 50), QPointF(harness.View().viewport()->mapToGlobal(QPoint(50, 50))), QPoint(),
                      QPoint(0, c.delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(harness.View().viewport(), &wheel);
    QApplication::setWheelScrollLines(wheelLines);

    EXPECT_EQ(start - bar->value(), c.expectedDelta);
}

INSTANTIATE_TEST_SUITE_P(Notches, ListWheel,
                         ::testing::Values(WheelCase{120, 120, 30}, WheelCase{120, -120, -30},
                                           WheelCase{600, 120, 120}, WheelCase{120, 0, 0}));

TEST(ListPersistence, FavouritesAndUserPresetsOutliveTheList)
{
    UseStyleSheet();
    Harness harness(SampleConfig(), "persistence");
    harness.Open();
    harness.SelectGroup(ColourRow);
    Hover(harness.Part<QToolButton>(1, "activateButton"));
    QTest::mouseClick(&harness.Part<QPushButton>(1, "favouriteButton"), Qt::LeftButton);
    ASSERT_TRUE(harness.list->AddUserPreset(QStringLiteral("Mine"), "mine", UserEffects(), false));
    // A user preset has no heart: its menu makes it a favourite.
    harness.SelectGroup(CustomRow);
    ChooseFromSettingsMenu(harness, 0, QStringLiteral("Add to Favorite"));
    harness.list.reset();

    harness.Open();
    harness.SelectGroup(FavouritesRow);
    ASSERT_EQ(harness.Shown().rowCount(), 2);
    EXPECT_EQ(harness.Part<QLabel>(0, "presetNameLabel").text(), QStringLiteral("Mine")) << "user presets first";
    EXPECT_EQ(harness.Shown().index(1, 0).data(ModelPreset::IdRole).toString(), QStringLiteral("vivid"));
    EXPECT_TRUE(harness.Tile(1)->IsFavourite());
    EXPECT_EQ(harness.Part<QPushButton>(1, "favouriteButton").toolTip(), QStringLiteral("Remove from favorites"));
    {
        // The heart in the favourites group takes the preset out of it, under the view.
        QAbstractItemModelTester groupTester(harness.list->findChild<QComboBox*>()->model());
        QAbstractItemModelTester tester(&harness.Shown());
        Hover(harness.Part<QToolButton>(1, "activateButton"));
        QTest::mouseClick(&harness.Part<QPushButton>(1, "favouriteButton"), Qt::LeftButton);
        harness.Paint();
        EXPECT_EQ(harness.Shown().rowCount(), 1);
    }
    harness.SelectGroup(CustomRow);
    ASSERT_EQ(harness.Shown().rowCount(), 1);
    EXPECT_EQ(harness.Part<QLabel>(0, "presetNameLabel").text(), QStringLiteral("Mine"));
}

TEST(ListTiles, OnlyTheVisibleRowsHaveTilesWhileScrolling)
{
    UseStyleSheet();
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Thousand", ExposureItems("p", 1000)));
    Harness harness(config);
    harness.Open(QSize(260, 600));
    harness.SelectGroup(FirstConfiguredRow);
    QListView& view = harness.View();
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    int steps = 0;
    for (int value = 0;; value = std::min(value + 211, bar->maximum())) {
        bar->setValue(value);
        harness.Paint();
        int visible = 0;
        for (int row = view.indexAt(QPoint(0, 0)).row();
             row < harness.Shown().rowCount() &&
             view.visualRect(harness.Shown().index(row, 0)).intersects(view.viewport()->rect());
             ++row)
            ++visible;
        ASSERT_LE(harness.LiveTiles(), visible + 2) << "at " << value;
        ++steps;
        if (value == bar->maximum())
            break;
    }
    EXPECT_GT(steps, 50);
    EXPECT_EQ(harness.Tile(0), nullptr) << "the first row's tile closed once it left the view";
    EXPECT_NE(harness.Tile(999), nullptr);
}


TEST(ListDownloads, TilesShowTheProgressAndTheFailureOfTheirResources)
{
    UseStyleSheet();
    PresetConfig::Config config;
    PresetConfig::Item textured = TestPresets::ExposureItem("textured");
    textured.m_downloadable.m_resourceType = PresetConfig::ResourceType::EffectTexture;
    textured.m_downloadable.m_resources = {"paper.png"};
    config.m_groups.push_back(Group("Textures", {textured, TestPresets::ExposureItem("plain")}));
    TestResources::FakeResources resources; // outlives the tiles' watchers
    Harness harness(config);
    harness.Open(QSize(260, 700), &resources);
    harness.SelectGroup(FirstConfiguredRow);
    const ResourceId paper{static_cast<int>(PresetConfig::ResourceType::EffectTexture), "paper.png"};

    resources.Set(paper, {IRemoteResource::Loading, 0.42, {}});
    EXPECT_EQ(harness.Part<QLabel>(0, "loadLabel").text(), QStringLiteral("42% loaded"));
    EXPECT_EQ(harness.Part<QStackedWidget>(0, "headerStackedWidget").currentIndex(), 1);
    EXPECT_EQ(harness.Part<QStackedWidget>(1, "headerStackedWidget").currentIndex(), 0) << "no resources, no wait";

    resources.Set(paper, {IRemoteResource::Failed, 0.42, QStringLiteral("paper.png is missing")});
    EXPECT_EQ(harness.Part<QLabel>(0, "loadLabel").text(), QStringLiteral("textured"));
    EXPECT_FALSE(harness.Part<QToolButton>(0, "activateButton").isEnabled());
    EXPECT_TRUE(harness.Tile(0)->toolTip().startsWith(QStringLiteral("We have a problem downloading effect")));

    resources.Set(paper, {IRemoteResource::Loaded, 1.0, {}});
    QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
    EXPECT_FALSE(harness.list->HasChanges()) << "a failed preset stays disabled";
}

// The editor may place the selector outside the list and delete the two in either order.
TEST(ListTeardown, ASelectorPlacedOutsideTheListGoesBeforeOrAfterIt)
{
    UseStyleSheet();
    for (const bool selectorFirst : {true, false}) {
        Harness harness(SampleConfig());
        QWidget panel;
        auto* selector = static_cast<QComboBox*>(harness.Open().GetGroupsCombobox());
        selector->setParent(&panel);
        panel.show();
        selector->show();
        if (selectorFirst)
            delete selector;
        harness.list.reset();
        if (!selectorFirst)
            QTest::keyClick(selector, Qt::Key_Down);
    }
}
