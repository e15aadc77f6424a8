#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"
#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/ConfigStore.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/ObjectsConnector.h"
#include "Host/PhotoCoreDrawer.h"
#include "Host/SettingsEffectMaskBlender.h"
#include "Host/WorkspaceController.h"
#include "LogCapture.h"
#include "TestPresets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <thread>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::PhotoCore;
using namespace TestPresets;
using Tavrel::ObjectsConnector;
using Tavrel::TranslatableContext;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

constexpr unsigned int NO_INDEX = EffectsSettingsPackage::NO_INDEX;

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

class EffectPresetApplierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        info.packageName = "editor";
        applier = std::make_unique<EffectPresetApplier>(info, nullptr);
        applier->SetPackageName("looks");
        applier->SetWorkspaceController(controller);
    }

    // Lets the drawer finish and delivers its events; a handler may start more work, so repeat.
    void Settle()
    {
        for (int round = 0; round < 3; ++round) {
            drawer().WaitUntilIdle();
            QCoreApplication::processEvents();
        }
    }

    QImage Current()
    {
        Settle();
        return drawer().CurrentImage();
    }

    PhotoCoreDrawer& drawer() { return controller->Drawer(); }

    std::unique_ptr<ItemModelPreset> Preset(const PresetConfig::Item& item)
    {
        return std::make_unique<ItemModelPreset>(item, nullptr, "");
    }

    const QImage photo = GradientPhoto();
    std::shared_ptr<WorkspaceController> controller = std::make_shared<WorkspaceController>(photo);
    PackageInfo info;
    std::unique_ptr<EffectPresetApplier> applier;
};

} // namespace

TEST_F(EffectPresetApplierTest, ApplyStampsTheEntryAndResetGivesBackTheOriginal)
{
    auto bright = Preset(ExposureItem("bright"));
    applier->SetPresetGroupIndex(4);
    applier->ApplyEffect(bright.get());

    EXPECT_EQ(applier->GetId(), "bright");
    EXPECT_EQ(info.packageName, "looks");
    const QImage applied = Current();
    EXPECT_FALSE(SamePixels(applied, photo));
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
    const EffectsSettingsPackage package = drawer().GetEntry(-1).settings.Package();
    EXPECT_EQ(package.GetPackageName(), "looks");
    EXPECT_EQ(package.GetPresetName(), "bright");
    EXPECT_EQ(package.presetGroupIndex, 4);
    EXPECT_EQ(package.resetIndex, 0u) << "a foreign latest entry: the current position";
    EXPECT_FALSE(package.firstPaint);

    applier->Reset();
    EXPECT_TRUE(applier->GetId().empty());
    EXPECT_TRUE(SamePixels(Current(), photo));
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
}

TEST_F(EffectPresetApplierTest, IntensityPaintsTemporarilyAndCommitsIntoTheLatestEntry)
{
    auto bright = Preset(ExposureItem("bright"));
    applier->ApplyEffect(bright.get());
    const QImage atHalf = Current();

    bright->SetIntensity(0);
    applier->SetIntensity(bright.get());
    bright->SetIntensity(100);
    applier->SetIntensity(bright.get());
    applier->IntensityChangeEnd();
    const QImage atFull = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "the paint changes the latest entry";
    EXPECT_FALSE(SamePixels(atFull, atHalf));

    bright->SetIntensity(0);
    applier->SetIntensity(bright.get());
    applier->IntensityChangeEnd();
    const QImage atZero = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
    EXPECT_FALSE(SamePixels(atZero, atFull));
    EXPECT_TRUE(SamePixels(atZero, photo)) << "exposure 0 changes nothing";

    applier->IntensityChangeEnd();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "nothing left to commit";
}

TEST_F(EffectPresetApplierTest, ConfirmKeepsTheResultAndTheNextPresetGoesOnTop)
{
    auto bright = Preset(ExposureItem("bright"));
    auto grey = Preset(PlainItem("grey", "saturation", {{"amount", -100.0}}));
    applier->ApplyEffect(bright.get());
    applier->Confirm();
    EXPECT_TRUE(applier->GetId().empty());
    const QImage confirmed = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 2) << "the empty effect follows the preset";
    EXPECT_TRUE(drawer().GetEntry(-1).settings.IsReset());

    applier->ApplyEffect(grey.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 3);
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().resetIndex, 2u);

    applier->Reset();
    EXPECT_TRUE(SamePixels(Current(), confirmed));

    applier->Confirm();
    Settle();
    EXPECT_TRUE(drawer().GetEntry(-1).settings.IsReset()) << "confirm without an applied preset still sends";
}

TEST_F(EffectPresetApplierTest, ResetIndexComesFromOurLatestEntryTheCurrentPositionOrTheList)
{
    auto bright = Preset(ExposureItem("bright"));
    auto grey = Preset(PlainItem("grey", "saturation", {{"amount", -100.0}}));

    applier->ApplyEffect(bright.get());
    applier->ApplyEffect(grey.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "same package: the second preset replaces the first";
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().GetPresetName(), "grey");

    EffectsSettings foreign;
    foreign.Effects() = {Effect("contrast", {{"amount", 40.0}})};
    foreign.Package().SetPackageName("other");
    drawer().ApplyEffects(foreign, {});
    applier->ApplyEffect(bright.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 3) << "foreign latest entry: goes on top of it";
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().resetIndex, 2u);

    applier->SetResetIndex(1);
    applier->ApplyEffect(grey.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 2) << "the list's reset index wins";
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().resetIndex, 1u);
}

TEST_F(EffectPresetApplierTest, UnsetIndexFromBothSourcesKeepsTheSettingsOwn)
{
    EffectsSettings ours;
    ours.Effects() = {Effect("contrast", {{"amount", 40.0}})};
    ours.Package().SetPackageName("looks");
    drawer().ApplyEffects(ours, {});
    ASSERT_EQ(drawer().GetEntry(-1).settings.Package().resetIndex, NO_INDEX);

    auto bright = Preset(ExposureItem("bright"));
    applier->ApplyEffect(bright.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 2) << "no reset index: added at the current position";
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().resetIndex, NO_INDEX);
}

TEST_F(EffectPresetApplierTest, DrawerLockDropsApplyOnly)
{
    auto bright = Preset(ExposureItem("bright"));
    info.packageName = "editor";
    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, true);
    applier->ApplyEffect(bright.get());
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
    EXPECT_TRUE(applier->GetId().empty());
    EXPECT_EQ(info.packageName, "editor");

    applier->SetIntensity(bright.get());
    applier->IntensityChangeEnd();
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "intensity ignores the lock";

    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, false);
    applier->ApplyEffect(bright.get());
    EXPECT_EQ(applier->GetId(), "bright");
}

TEST_F(EffectPresetApplierTest, BlenderPresetIsCommittedOnItsFirstTemporaryFrame)
{
    PresetConfig::Item item = PlainItem("mono", "saturation", {{"amount", -100.0}});
    item.m_wrapWithBlender = true;
    auto mono = Preset(item);
    auto& blender = dynamic_cast<SettingsEffectMaskBlender&>(
        mono->GetEffectSettings().Effects().at(0)->GetEffectSettingsRef());
    blender.SetFillMask(false);
    blender.SetRenderInner(false);

    applier->ApplyEffect(mono.get());
    EXPECT_TRUE(blender.GetFillMask());
    EXPECT_TRUE(blender.GetRenderInner());
    drawer().WaitUntilIdle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 0) << "only painted until its frame reaches this thread";

    const QImage committed = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
    EXPECT_EQ(drawer().GetEntry(-1).settings.Package().GetPresetName(), "mono");
    EXPECT_FALSE(SamePixels(committed, photo));

    // The temporary frames of a plain preset's intensity paint commit nothing by themselves.
    auto bright = Preset(ExposureItem("bright"));
    applier->ApplyEffect(bright.get());
    const QImage before = Current();
    bright->SetIntensity(100);
    applier->SetIntensity(bright.get());
    EXPECT_TRUE(SamePixels(Current(), before));
    applier->IntensityChangeEnd();
    EXPECT_FALSE(SamePixels(Current(), before));
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
}

TEST_F(EffectPresetApplierTest, WithoutControllerNothingNeedingTheDrawerRuns)
{
    PackageInfo lonelyInfo{"editor", "", -1};
    EffectPresetApplier lonely(lonelyInfo, nullptr);
    lonely.SetPackageName("looks");
    lonelyInfo.packageName = "editor";
    auto bright = Preset(ExposureItem("bright"));

    try {
        lonely.ApplyEffect(bright.get());
        FAIL() << "ApplyEffect needs the controller";
    } catch (const std::logic_error& e) {
        EXPECT_THAT(e.what(), StartsWith("The WorkspaceController is not defined.\n"));
    }
    EXPECT_EQ(lonelyInfo.presetName, "") << "asked for before the package info is touched";
    EXPECT_EQ(lonelyInfo.packageName, "editor");

    EXPECT_THROW(lonely.SetIntensity(bright.get()), std::logic_error);
    EXPECT_EQ(lonelyInfo.presetName, "bright") << "names are set before the controller is asked for";
    EXPECT_EQ(lonelyInfo.packageName, "looks");

    EXPECT_NO_THROW(lonely.IntensityChangeEnd()) << "no paint was opened";
    EXPECT_THROW(lonely.Confirm(), std::logic_error);
    EXPECT_THROW(lonely.Reset(), std::logic_error);
    EXPECT_EQ(lonelyInfo.presetName, "bright");

    auto plain = Preset(PlainItem("plain", "contrast", {{"amount", 10.0}}));
    lonelyInfo.presetName.clear();
    lonely.SetIntensity(plain.get());
    EXPECT_EQ(lonelyInfo.presetName, "") << "a preset without slider changes nothing";
}

TEST_F(EffectPresetApplierTest, PresetWithoutEffectsFailsBeforeReachingTheDrawer)
{
    PresetConfig::Item item;
    item.m_id = "nothing";
    auto nothing = Preset(item);
    EXPECT_THROW(applier->ApplyEffect(nothing.get()), std::out_of_range);
    EXPECT_EQ(info.presetName, "nothing");
    EXPECT_EQ(info.packageName, "looks");
    Settle();
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
}

TEST_F(EffectPresetApplierTest, FailingForwardedHandlerIsLoggedNotThrown)
{
    auto bright = Preset(ExposureItem("bright"));
    applier->ApplyEffect(bright.get());
    drawer().WaitUntilIdle(); // the frame event now waits in this thread's queue
    controller.reset();

    LogCapture log;
    QCoreApplication::processEvents();
    const auto errors = log.Errors();
    ASSERT_FALSE(errors.empty());
    EXPECT_THAT(errors.front(), HasSubstr("The WorkspaceController is not defined."));
}

namespace {

// Records where and with what its handlers ran.
class RecordingHandler : public DrawerEventHandlerUI {
public:
    std::vector<int> undoPositions;
    std::vector<QThread*> frameThreads;
    std::atomic<std::thread::id> progressThread{};

protected:
    void HandleUndoInternal(const DrawerEventUndo& event) override { undoPositions.push_back(event.position); }
    void HandleFrameInternal(const DrawerEventFrame&) override { frameThreads.push_back(QThread::currentThread()); }
    void HandleRenderProgressInternal(double) override { progressThread = std::this_thread::get_id(); }
};

} // namespace

TEST(DrawerEventHandlerUI, EventsRunOnTheCreatingThreadWithCopiesAndNeverAfterDestruction)
{
    auto kept = std::make_unique<RecordingHandler>();
    auto dropped = std::make_unique<RecordingHandler>();
    std::thread::id drawerThreadId;
    std::thread drawerThread([&] {
        drawerThreadId = std::this_thread::get_id();
        for (auto* handler : {kept.get(), dropped.get()}) {
            DrawerEventUndo undo{7};
            handler->HandleUndo(undo);
            undo.position = 9; // the handler holds its own copy
            handler->HandleFrame(DrawerEventFrame{});
            handler->HandleRenderProgress(0.5);
        }
    });
    drawerThread.join();

    EXPECT_EQ(kept->progressThread.load(), drawerThreadId) << "progress is passed on at once";
    EXPECT_TRUE(kept->undoPositions.empty()) << "nothing runs before the event loop does";

    dropped.reset();
    QCoreApplication::processEvents();
    ASSERT_EQ(kept->undoPositions.size(), 1u);
    EXPECT_EQ(kept->undoPositions.front(), 7);
    ASSERT_EQ(kept->frameThreads.size(), 1u);
    EXPECT_EQ(kept->frameThreads.front(), QThread::currentThread());
}

TEST(EffectPresetApplierOnAPhoto, SamplePresetsChangeThePhotoAndResetRestoresItExactly)
{
    const QImage photo =
        QImage(QStringLiteral(GLIMMAR_TEST_DATA_DIR "/coffee.jpg")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(photo.isNull());
    QTemporaryDir output;
    ASSERT_TRUE(output.isValid());

    PresetConfig::Config builtIn, user;
    ConfigStore::Read("GlimmarDemo", "effects", "", builtIn, user);
    const TranslatableContext groupContext("test_groups");
    ModelPresetGroup groups({&groupContext, {}, {}, {}, {}}, nullptr, "", nullptr);
    groups.Populate(builtIn, user);

    auto controller = std::make_shared<WorkspaceController>(photo);
    PackageInfo info;
    EffectPresetApplier applier(info, nullptr);
    applier.SetPackageName("effects");
    applier.SetWorkspaceController(controller);
    const auto settle = [&] {
        for (int round = 0; round < 3; ++round) {
            controller->Drawer().WaitUntilIdle();
            QCoreApplication::processEvents();
        }
    };

    // A slider preset goes straight to the drawer; a blender-wrapped one through the painter.
    for (const std::string id : {"light.punchy", "mood.noir"}) {
        SCOPED_TRACE(id);
        IItemModelPreset* preset = nullptr;
        for (int row = 0; row < groups.rowCount() && !preset; ++row) {
            const auto* model = groups.index(row).data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
            const QModelIndexList found = model->match(model->index(0), ModelPreset::IdRole, QString::fromStdString(id),
                                                       1, Qt::MatchExactly);
            if (!found.isEmpty())
                preset = found.front().data(ModelPreset::PresetRole).value<IItemModelPreset*>();
        }
        ASSERT_NE(preset, nullptr);

        applier.ApplyEffect(preset);
        settle();
        const QString path = output.filePath(QString::fromStdString(id) + ".png");
        ASSERT_TRUE(controller->Drawer().CurrentImage().save(path));
        const QImage written = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(written.size(), photo.size());
        EXPECT_NE(written, photo);

        applier.Reset();
        settle();
        EXPECT_EQ(controller->Drawer().CurrentImage().convertToFormat(QImage::Format_RGB32), photo);
        EXPECT_EQ(controller->Drawer().GetCurrentPosition(), 0);
    }
}
