// The demo editor driven as a user drives it: the real main window, offscreen,
// with its threaded drawer and a photo and configuration in a temporary folder.

#include "demo/MainWindow.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/StatisticsDock.h"
#include "demo/ToolPanel.h"

#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"

#include "Host/Drawer/WorkspaceController.h"

#include "tests/BadImages.h"
#include "tests/EffectTestHelpers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

using namespace Tavrel::Demo;
using namespace Tavrel::PhotoCore;

// Answers the next modal message box, once it shows, with OK; its text goes to *text.
void CloseNextMessageBox(QString* text)
{
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && waited->elapsed() < 5000)
            return;
        if (box) {
            *text = box->text();
            box->accept();
        }
        delete waited;
        poll->deleteLater();
    });
    poll->start(10);
}

QImage TestPhoto()
{
    QImage photo(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    return photo;
}

EffectsSettings Brighten(double amount)
{
    EffectsSettings settings;
    settings.Effects() = {MakeEffect("exposure", {{"amount", amount}})};
    return settings;
}

class DemoEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        photoPath = folder.filePath("photo.png");
        ASSERT_TRUE(TestPhoto().save(photoPath));
        OpenWindow();
    }

    void OpenWindow()
    {
        EditorOptions options;
        options.configDir = folder.filePath("config");
        options.dataDir = folder.filePath("data");
        options.language = "en";
        window = std::make_unique<MainWindow>(options);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->OpenPhoto(photoPath));
    }

    PhotoCoreDrawer& Drawer() { return window->Document()->Workspace()->Drawer(); }

    QListView& Looks() { return *window->Panels().at(0)->List().findChild<QListView*>("view"); }
    QModelIndex LooksRow(int row) { return Looks().model()->index(row, 0); }
    // A part of the tile of a row of the Looks panel's shown group.
    QAbstractButton& LooksTilePart(int row, const char* part)
    {
        QCoreApplication::processEvents();
        QWidget* tile = Looks().indexWidget(LooksRow(row));
        EXPECT_NE(tile, nullptr);
        return *tile->findChild<QAbstractButton*>(part);
    }

    // What the view shows once the drawer and the events it sent are done (a paint's first frame
    // commits it, which renders again).
    QImage Settled()
    {
        for (int round = 0; round < 3; ++round) {
            Drawer().WaitUntilIdle();
            QCoreApplication::processEvents();
        }
        return window->View()->Image();
    }

    // Waits until the view shows the drawer's latest final render.
    bool ShowsLatestRender()
    {
        Drawer().WaitUntilIdle();
        return QTest::qWaitFor([this] { return window->View()->Image() == Drawer().CurrentImage(); });
    }

    QTemporaryDir folder;
    QString photoPath;
    std::unique_ptr<MainWindow> window;
};

TEST_F(DemoEditorTest, PhotoThatCannotBeReadGivesMessageAndKeepsCurrentPhoto)
{
    // Beside the photo: the user who cannot read one file must still reach the folder.
    const BadImages images(folder.path());
    for (const BadImages::File& file : images.Files()) {
        SCOPED_TRACE(file.kind);
        const auto taken = BadImages::Taken(file);
        PhotoDocument* before = window->Document();
        QString message;
        CloseNextMessageBox(&message);
        EXPECT_FALSE(window->OpenPhoto(file.path));
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(file.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(file.problem)) << message.toStdString();
        EXPECT_TRUE(message.contains("current photo stays open")) << message.toStdString();
        EXPECT_EQ(window->Document(), before);
        EXPECT_EQ(window->Document()->FilePath(), photoPath);
    }
}

// Scanners and raw converters write 16 bits a channel; the low bytes must not be taken for the high ones.
TEST_F(DemoEditorTest, SixteenBitTiffOpensAsThePictureItHolds)
{
    QImage deep(240, 160, QImage::Format_RGBA64);
    for (int y = 0; y < deep.height(); ++y)
        for (int x = 0; x < deep.width(); ++x)
            deep.setPixelColor(x, y, QColor::fromRgba64(quint16(x * 273), quint16(y * 409), quint16(x * y), 65535));
    const QString path = folder.filePath("scan.tiff");
    ASSERT_TRUE(deep.save(path, "TIFF"));
    ASSERT_TRUE(window->OpenPhoto(path));
    EXPECT_EQ(window->Document()->Original(), deep.convertToFormat(QImage::Format_RGB32));
}

// The first path is written at full resolution; the others cannot be, and the user is told why.
TEST_F(DemoEditorTest, ExportWritesTheDrawerImageAtFullResolutionOrSaysWhyNot)
{
    Drawer().ApplyEffects(Brighten(0.5), {});
    for (const QString& path :
         {folder.filePath("export.png"), folder.filePath("no/such/folder/export.jpg"), folder.filePath("export.gif")}) {
        SCOPED_TRACE(path.toStdString());
        const bool writable = path.endsWith("export.png");
        QString error = "not finished";
        const auto connection = QObject::connect(window.get(), &MainWindow::exportFinished, window.get(),
                                                 [&error](const QString&, const QString& result) { error = result; });
        QString message;
        if (!writable)
            CloseNextMessageBox(&message);
        window->ExportPhoto(path);
        ASSERT_TRUE(QTest::qWaitFor([&error] { return error != "not finished"; }));
        QObject::disconnect(connection);
        EXPECT_EQ(error.isEmpty(), writable) << error.toStdString();
        EXPECT_EQ(message.isEmpty(), writable);
        EXPECT_EQ(QFile::exists(path), writable);
        if (writable) {
            EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), Drawer().CurrentImage());
        }
    }
}

// A confirmed preset is a step of the history; a preset being tried is not: undo takes it off.
TEST_F(DemoEditorTest, UndoTakesATriedPresetOffThenWalksTheConfirmedStepsAndTheLogHoldsTheEvents)
{
    using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
    QTest::mouseClick(&LooksTilePart(0, "activateButton"), Qt::LeftButton);
    const std::string clicked = window->Document()->Workspace()->Statistics().Events().back().name;
    const std::string group = clicked.substr(0, clicked.rfind("_click"));
    QTest::mouseClick(&LooksTilePart(0, "applyBtn"), Qt::LeftButton);
    ASSERT_TRUE(ShowsLatestRender());
    const QImage confirmed = window->View()->Image();
    ASSERT_NE(confirmed, window->Document()->Original());

    QTest::mouseClick(&LooksTilePart(1, "activateButton"), Qt::LeftButton);
    ASSERT_TRUE(ShowsLatestRender());
    ASSERT_TRUE(window->Panels().at(0)->List().HasChanges());
    struct Key {
        Qt::KeyboardModifiers modifiers;
        QImage shown;
    };
    for (const Key& key : {Key{Qt::ControlModifier, confirmed}, Key{Qt::ControlModifier, window->Document()->Original()},
                           Key{Qt::ControlModifier | Qt::ShiftModifier, confirmed}}) {
        QTest::keyClick(window.get(), Qt::Key_Z, key.modifiers);
        ASSERT_TRUE(ShowsLatestRender());
        EXPECT_EQ(window->View()->Image(), key.shown);
        EXPECT_FALSE(LooksRow(0).data(ModelPreset::ApplyRole).toBool()) << "a confirmed preset is not tried again";
        EXPECT_FALSE(LooksRow(1).data(ModelPreset::ApplyRole).toBool());
        EXPECT_FALSE(window->Panels().at(0)->List().HasChanges());
    }

    std::vector<std::string> names;
    for (const auto& event : window->Document()->Workspace()->Statistics().Events())
        names.push_back(event.name.substr(event.name.rfind('_')));
    EXPECT_EQ(names, (std::vector<std::string>{"_click", "_applied", "_click", "_reseted"}));
    auto* logged = window->Statistics()->findChild<QTreeWidget*>("statisticsEvents");
    ASSERT_TRUE(QTest::qWaitFor([logged] { return logged->topLevelItemCount() == 4; }));
    EXPECT_EQ(logged->topLevelItem(1)->text(0).toStdString(), group + "_applied");
}

// Enter confirms and Escape cancels wherever the focus is in the window.
TEST_F(DemoEditorTest, EnterAndEscapeSettleTheTriedPresetFromTheWindowTheGroupsAndATile)
{
    using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
    QWidget* groups = window->Panels().at(0)->List().GetGroupsCombobox();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        for (const char* where : {"window", "groups", "tile"}) {
            SCOPED_TRACE(std::string(where) + (key == Qt::Key_Return ? " Enter" : " Escape"));
            const QImage before = Settled();
            QTest::mouseClick(&LooksTilePart(1, "activateButton"), Qt::LeftButton);
            const QImage tried = Settled();
            ASSERT_NE(tried, before);
            QWidget* target = std::string(where) == "groups" ? groups
                              : std::string(where) == "tile" ? &LooksTilePart(1, "activateButton")
                                                             : static_cast<QWidget*>(window.get());
            target->setFocus(Qt::TabFocusReason);
            QTest::keyClick(target, key);
            EXPECT_EQ(Settled(), key == Qt::Key_Return ? tried : before);
            EXPECT_FALSE(window->Panels().at(0)->List().HasChanges());
            EXPECT_FALSE(LooksTilePart(1, "activateButton").isChecked());
        }
    }
}

// A user faster than the drawer: Enter before the tried preset's first frame is back.
TEST_F(DemoEditorTest, APresetConfirmedAtOnceStaysConfirmedWhenTheNextOneIsCancelled)
{
    QTest::mouseClick(&LooksTilePart(1, "activateButton"), Qt::LeftButton);
    QTest::keyClick(window.get(), Qt::Key_Return);
    const QImage confirmed = Settled();
    ASSERT_NE(confirmed, window->Document()->Original());
    QTest::mouseClick(&LooksTilePart(2, "activateButton"), Qt::LeftButton);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(Settled(), confirmed);
}

// Favourites are kept by the list itself; the demo's save button and folders are tried here.
TEST_F(DemoEditorTest, SavedUserPresetSurvivesClosingAndReopening)
{
    using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
    QTest::mouseClick(&LooksTilePart(0, "activateButton"), Qt::LeftButton);
    QTest::mouseClick(&LooksTilePart(0, "applyBtn"), Qt::LeftButton);
    QTimer::singleShot(100, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* field = dialog->findChild<QLineEdit*>("nameEdit");
        field->selectAll();
        QTest::keyClicks(field, "Raccoon Glow");
        QTest::mouseClick(dialog->findChild<QAbstractButton*>("acceptButton"), Qt::LeftButton);
    });
    QTest::mouseClick(window->Panels().at(0)->findChild<QAbstractButton*>("savePresetButton"), Qt::LeftButton);

    window.reset();
    OpenWindow();
    static_cast<QComboBox*>(window->Panels().at(0)->List().GetGroupsCombobox())->setCurrentIndex(3);
    EXPECT_FALSE(Looks().model()->match(Looks().model()->index(0, 0), ModelPreset::NameRole, "Raccoon Glow").isEmpty())
        << "the custom group holds the user preset";
}

TEST_F(DemoEditorTest, LeavingAPanelWithAnUnconfirmedPresetAsksFirst)
{
    struct Case {
        const char* button;
        bool switches;
        bool photoKeepsThePreset;
    };
    for (const Case& c : {Case{"firstButton", true, true}, Case{"secondButton", true, false}, Case{"thirdButton", false, true}}) {
        SCOPED_TRACE(c.button);
        QTabWidget* tabs = window->PanelTabs();
        tabs->setCurrentIndex(0);
        QTest::mouseClick(&LooksTilePart(0, "activateButton"), Qt::LeftButton);
        ASSERT_TRUE(ShowsLatestRender());
        const QImage tried = window->View()->Image();

        QTimer::singleShot(100, [button = c.button] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QTest::mouseClick(box->findChild<QAbstractButton*>(button), Qt::LeftButton);
        });
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        EXPECT_EQ(tabs->currentIndex(), c.switches ? 1 : 0);
        EXPECT_EQ(window->Panels().at(0)->List().HasChanges(), !c.switches);
        ASSERT_TRUE(ShowsLatestRender());
        EXPECT_EQ(window->View()->Image() == tried, c.photoKeepsThePreset);
        if (!c.switches) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
            ASSERT_TRUE(ShowsLatestRender());
        }
    }
}

TEST_F(DemoEditorTest, LanguageMenuRebuildsThePanelsInGerman)
{
    window->findChild<QAction*>("actionLanguage_de")->trigger();
    EXPECT_EQ(window->PanelTabs()->tabText(1), "Effekte");
    auto* effectsGroups = static_cast<QComboBox*>(window->Panels().at(1)->List().GetGroupsCombobox());
    EXPECT_EQ(effectsGroups->currentText(), "Beliebte Effekte der Woche");
    EXPECT_EQ(effectsGroups->itemText(0), "Alle Effekte");
    QCoreApplication::processEvents(); // widgets learn of the change through posted events
    EXPECT_EQ(window->Statistics()->windowTitle(), "Statistik");
    EXPECT_EQ(window->findChild<QAction*>("actionUndo")->text(), "&Rückgängig");

    window->findChild<QAction*>("actionLanguage_en")->trigger();
    EXPECT_EQ(window->PanelTabs()->tabText(1), "Effects");
    EXPECT_EQ(static_cast<QComboBox*>(window->Panels().at(1)->List().GetGroupsCombobox())->itemText(0), "All effects");
}

TEST(PhotoView, AProxyStandsInForThePhotoAndAnOlderPictureNeverComesBack)
{
    PhotoView view;
    view.resize(400, 300);
    view.show();
    const auto filled = [](QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    };
    const QImage photo = filled({2400, 1600}, Qt::black);
    view.SetOriginal(photo);
    view.SetImage(photo);
    const double zoom = view.Zoom();
    const auto centre = [&view] {
        const QImage shown = view.viewport()->grab().toImage();
        return shown.pixelColor(shown.rect().center());
    };
    const auto smoothed = [] {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    };

    // A full render is smoothed off the UI thread; a proxy given meanwhile must win.
    view.SetImage(filled(photo.size(), Qt::red));
    EXPECT_EQ(centre(), QColor(Qt::red));
    view.SetImage(filled({600, 400}, Qt::blue));
    EXPECT_DOUBLE_EQ(view.Zoom(), zoom) << "the proxy covers the photo's area";
    smoothed();
    EXPECT_EQ(centre(), QColor(Qt::blue));
    view.SetImage(filled(photo.size(), Qt::green));
    smoothed();
    EXPECT_EQ(centre(), QColor(Qt::green));
    EXPECT_DOUBLE_EQ(view.Zoom(), zoom);

    // While a drag brings pictures a proxy is drawn unsmoothed, and smoothed once it stays.
    QImage stripes(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y) {
        for (int x = 0; x < stripes.width(); ++x)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    const auto greysInTheMiddleRow = [&view] {
        const QImage shown = view.viewport()->grab().toImage();
        int greys = 0;
        for (int x = shown.width() / 4; x < shown.width() * 3 / 4; ++x)
            greys += qRed(shown.pixel(x, shown.height() / 2)) % 255 != 0;
        return greys;
    };
    view.SetImage(stripes);
    EXPECT_EQ(greysInTheMiddleRow(), 0);
    QTest::qWait(300);
    EXPECT_GT(greysInTheMiddleRow(), 0);
}

} // namespace

namespace {

// The document tells of another photo under the previews exactly when the history below them
// changed: not for a try or its intensity, which are drawn above them.
TEST(PhotoDocument, PreviewBaseChangesWithConfirmsAndHistoryMovesButNotWithTries)
{
    const QTemporaryDir folder;
    PhotoDocument document(TestPhoto(), "photo.png", folder.filePath("statistics.jsonl"));
    PhotoCoreDrawer& drawer = document.Workspace()->Drawer();
    // A try as the applier makes it: the package's entry, replacing the one tried before at index.
    const auto tryLook = [&drawer](double amount, unsigned int index) {
        EffectsSettings settings = Brighten(amount);
        settings.Package().SetPackageName("looks");
        settings.Package().resetIndex = index;
        drawer.ApplyEffects(settings, {});
    };
    const auto confirm = [&drawer] { drawer.ApplyEffects(EffectsSettings(), {}); };
    struct Step {
        const char* name;
        std::function<void()> act;
        bool changes;
    };
    const Step steps[] = {
        {"tried", [&] { tryLook(0.2, 0); }, false},
        {"another tried instead", [&] { tryLook(0.4, 0); }, false},
        {"intensity dragged", [&] {
             drawer.GetPainter().UpdatePaint(Brighten(0.5), false);
             drawer.GetPainter().CommitPaint(0, 0, false);
         }, false},
        {"confirmed", confirm, true},
        {"undone", [&] { document.Undo(); }, true},
        {"redone", [&] { document.Redo(); }, true},
        {"back to the original", [&] { document.RestoreOriginal(); }, true},
        {"tried after going back", [&] { tryLook(0.3, 0); }, false},
        // The same empty entry on top at the same position as before, another look below it.
        {"confirmed again", confirm, true},
    };
    int changes = 0;
    QObject::connect(&document, &PhotoDocument::previewBaseChanged, [&changes] { ++changes; });
    for (const Step& step : steps) {
        changes = 0;
        step.act();
        drawer.WaitUntilIdle();
        QCoreApplication::processEvents();
        EXPECT_EQ(changes, step.changes ? 1 : 0) << step.name;
    }
}

TEST_F(DemoEditorTest, AfterAConfirmInOnePanelTheOtherPanelsPreviewsShowTheNewPhoto)
{
    using Tavrel::Glimmar::GlimmarPresets::IItemModelPreset;
    using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
    auto& effects = window->Panels().at(1)->List();
    const QAbstractItemModel& shown = *effects.findChild<QListView*>("view")->model();
    // A preset without a picture of its own is previewed on the photo.
    int row = 0;
    while (!shown.index(row, 0).data(ModelPreset::PresetRole).value<IItemModelPreset*>()->GetPreview().isNull())
        ++row;
    const auto preview = [&] { return shown.index(row, 0).data(ModelPreset::PreviewRole).value<QPixmap>(); };
    const QPixmap before = preview();

    QTest::mouseClick(&LooksTilePart(0, "activateButton"), Qt::LeftButton);
    ASSERT_TRUE(ShowsLatestRender());
    QCoreApplication::processEvents();
    EXPECT_EQ(preview().cacheKey(), before.cacheKey()) << "a try is drawn above the previews: kept";

    QTest::mouseClick(&LooksTilePart(0, "applyBtn"), Qt::LeftButton);
    ASSERT_TRUE(ShowsLatestRender());
    QCoreApplication::processEvents();
    const QImage after = preview().toImage();
    EXPECT_NE(after, before.toImage()) << "drawn on the confirmed photo";
    effects.Update();
    EXPECT_EQ(preview().toImage(), after) << "as a fresh render draws it";
}

} // namespace
