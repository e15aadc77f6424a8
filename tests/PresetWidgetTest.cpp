#include "FakeResources.h"
#include "LogCapture.h"
#include "PresetListHarness.h"

#include "Host/Kit/ClickSlider.h"
#include "Host/Kit/ElidedLabel.h"
#include "Host/Resources/CoreFactories.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>

using namespace PresetListHarness;
using Tavrel::IRemoteResource;
using Tavrel::ResourceId;

namespace {

constexpr int PictureWidth = 200; // the style sheet's PreviewWidth: the preview and its margins

QWidget* TopLevel(const char* objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String(objectName))
            return widget;
    return nullptr;
}

void Hover(QWidget& widget, bool enter)
{
    QEvent event(enter ? QEvent::Enter : QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

void ChooseFromSettingsMenu(Harness& h, int row, const QString& entry)
{
    Hover(h.Part<QToolButton>(row, "activateButton"), true);
    QTest::mouseClick(&h.Part<QToolButton>(row, "settingsButton"), Qt::LeftButton);
    auto* menu = h.Part<QToolButton>(row, "settingsButton").findChild<QMenu*>();
    for (QAction* action : menu->actions())
        if (action->text() == entry)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

QRect InTile(QWidget& part, const PresetWidget& tile) { return {part.mapTo(&tile, QPoint(0, 0)), part.size()}; }

PresetConfig::Item Textured(const std::string& id, const std::string& resource)
{
    PresetConfig::Item item = TestPresets::ExposureItem(id);
    item.m_downloadable.m_resourceType = PresetConfig::ResourceType::EffectTexture;
    item.m_downloadable.m_resources = {resource};
    return item;
}

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

// A download that fails shows it and says why in the log once; after the resource is there, Retry
// gives a new tile that works.
TEST(TileDownloads, AFailedDownloadLooksFailedIsLoggedAndRetriedFromANewTile)
{
    UseStyleSheet();
    QTemporaryDir source, cache;
    ASSERT_TRUE(source.isValid() && cache.isValid());
    qputenv("GLIMMAR_RESOURCE_SOURCE_DIR", QFile::encodeName(source.path()));
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(cache.path()));
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Textures", {Textured("paper", "paper.png"), TestPresets::ExposureItem("plain")}));
    const Tavrel::CoreFactories factories; // outlives the tiles' watchers
    LogCapture log;
    Harness harness(config);
    harness.Open(QSize(260, 700), &factories);
    harness.SelectGroup(FirstConfiguredRow);

    PresetWidget* failed = harness.Tile(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed->property("downloadState") == "failed"; }, 5000));
    EXPECT_FALSE(harness.Part<QToolButton>(0, "activateButton").isEnabled());
    EXPECT_TRUE(harness.Part<QWidget>(0, "failedFrame").isVisible());
    EXPECT_EQ(harness.Tile(1)->property("downloadState"), QVariant()) << "nothing to download, no state";
    const auto warnings = log.Warnings();
    ASSERT_EQ(std::count_if(warnings.begin(), warnings.end(),
                            [](const std::string& line) { return line.find("paper.png") != std::string::npos; }),
              1);
    harness.Paint();
    EXPECT_EQ(log.Warnings().size(), warnings.size()) << "a repaint logs nothing more";

    QFile file(source.filePath(QStringLiteral("paper.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    QTest::mouseClick(&harness.Part<QPushButton>(0, "retryButton"), Qt::LeftButton);
    harness.Paint();
    ASSERT_NE(harness.Tile(0), failed) << "a new tile follows the new try";
    ASSERT_TRUE(QTest::qWaitFor([&] { return harness.Tile(0)->property("downloadState") == "loaded"; }, 5000));
    EXPECT_TRUE(harness.Part<QToolButton>(0, "activateButton").isEnabled());
    EXPECT_FALSE(harness.Part<QWidget>(0, "failedFrame").isVisible());
    QTest::mouseClick(&harness.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
    EXPECT_TRUE(harness.list->HasChanges());

    harness.list.reset();
    qunsetenv("GLIMMAR_RESOURCE_SOURCE_DIR");
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
}

// A tile that failed stays disabled, whatever its resources do later.
TEST(TileDownloads, AFailedTileStaysFailedWhenItsResourceArrivesLater)
{
    UseStyleSheet();
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Textures", {Textured("paper", "paper.png")}));
    TestResources::FakeResources resources;
    Harness harness(config);
    harness.Open(QSize(260, 700), &resources);
    harness.SelectGroup(FirstConfiguredRow);
    const ResourceId paper{static_cast<int>(PresetConfig::ResourceType::EffectTexture), "paper.png"};

    resources.Set(paper, {IRemoteResource::Loading, 0.3, {}});
    EXPECT_EQ(harness.Tile(0)->property("downloadState"), QStringLiteral("loading"));
    resources.Set(paper, {IRemoteResource::Failed, 0.3, QStringLiteral("paper.png is missing")});
    resources.Set(paper, {IRemoteResource::Loaded, 1.0, {}});
    EXPECT_EQ(harness.Tile(0)->property("downloadState"), QStringLiteral("failed"));
    EXPECT_FALSE(harness.Part<QToolButton>(0, "activateButton").isEnabled());
    EXPECT_TRUE(harness.Part<QWidget>(0, "retryButton").isVisible());
}

// The source texts carry hints for translators; the English catalogue gives the user clean ones.
TEST(TileTexts, InEnglishTheDeleteAndRenameDialogsSayWhatTheyDo)
{
    UseStyleSheet();
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/translations/glimmar_en.qm")));
    QCoreApplication::installTranslator(&english);
    Harness harness(PresetConfig::Config{}, "texts");
    harness.Open();
    Tavrel::PhotoCore::EffectsSettings effects;
    effects.Effects().push_back(MakeEffect("saturation", {{"amount", 40.0}}));
    ASSERT_TRUE(harness.list->AddUserPreset(QStringLiteral("Mine"), "mine", effects, false));
    ASSERT_TRUE(harness.list->AddUserPreset(QStringLiteral("Other"), "other", effects, false));
    harness.SelectGroup(CustomRow);

    const QString otherName =
        harness.Part<QLabel>(0, "presetNameLabel").text() == QLatin1String("Mine") ? "Other" : "Mine";
    QStringList seen;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = TopLevel("InputNameDialog");
        ASSERT_TRUE(dialog);
        seen << dialog->findChild<QLabel*>(QStringLiteral("titleLabel"))->text();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        edit->selectAll();
        QTest::keyClicks(edit, otherName);
        QTest::keyClick(edit, Qt::Key_Return);
        seen << dialog->findChild<QLabel*>(QStringLiteral("errorLabel"))->text();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    ChooseFromSettingsMenu(harness, 0, QStringLiteral("Rename"));
    harness.Paint();
    QTimer::singleShot(0, [&] {
        QWidget* alert = TopLevel("deletePresetAlert");
        ASSERT_TRUE(alert);
        seen << alert->findChild<QPushButton*>(QStringLiteral("firstButton"))->text()
             << alert->findChild<QPushButton*>(QStringLiteral("secondButton"))->text();
        QTest::mouseClick(alert->findChild<QPushButton*>(QStringLiteral("firstButton")), Qt::LeftButton);
    });
    ChooseFromSettingsMenu(harness, 0, QStringLiteral("Delete"));
    harness.Paint();
    QCoreApplication::removeTranslator(&english);

    EXPECT_EQ(seen, (QStringList{"Rename preset", "A preset with this name exists already.", "Delete", "Cancel"}));
    EXPECT_EQ(harness.Shown().rowCount(), 1);
}
