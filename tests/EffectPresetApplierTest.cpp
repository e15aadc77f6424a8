#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"
#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "Host/QtUtils/ObjectsConnector.h"
#include "Host/Drawer/PhotoCoreDrawer.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Drawer/WorkspaceController.h"
#include "LogCapture.h"
#include "TestPresets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <thread>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::PhotoCore;
using namespace TestPresets;
using Tavrel::ObjectsConnector;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<ItemModelPreset> Preset(const PresetConfig::Item& item)
{
    return std::make_unique<ItemModelPreset>(item, nullptr, "");
}

// Lets the drawer finish and delivers its events; a handler may start more work, so repeat.
void Settle(PhotoCoreDrawer& drawer)
{
    for (int round = 0; round < 3; ++round) {
        drawer.WaitUntilIdle();
        QCoreApplication::processEvents();
    }
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

    PhotoCoreDrawer& drawer() { return controller->Drawer(); }
    QImage Current()
    {
        Settle(drawer());
        return drawer().CurrentImage();
    }
    EffectsSettingsPackage Latest() { return drawer().GetEntry(-1).settings.Package(); }
    void ApplyOwnEntry(const std::string& packageName)
    {
        EffectsSettings settings;
        settings.Effects() = {MakeEffect("contrast", {{"amount", 40.0}})};
        settings.Package().SetPackageName(packageName);
        drawer().ApplyEffects(settings, {});
    }

    const QImage photo = GradientPhoto();
    std::shared_ptr<WorkspaceController> controller = std::make_shared<WorkspaceController>(photo);
    PackageInfo info;
    std::unique_ptr<EffectPresetApplier> applier;
    std::unique_ptr<ItemModelPreset> bright = Preset(ExposureItem("bright"));
    std::unique_ptr<ItemModelPreset> grey = Preset(PlainItem("grey", "saturation", {{"amount", -100.0}}));
};

} // namespace

TEST_F(EffectPresetApplierTest, ApplyStampsTheEntryAndResetGivesBackTheOriginal)
{
    applier->SetPresetGroupIndex(4);
    applier->ApplyEffect(bright.get());
    EXPECT_EQ(applier->GetId(), "bright");
    EXPECT_EQ(info.packageName, "looks");
    EXPECT_FALSE(SamePixels(Current(), photo));
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
    EXPECT_EQ(Latest().GetPackageName(), "looks");
    EXPECT_EQ(Latest().GetPresetName(), "bright");
    EXPECT_EQ(Latest().presetGroupIndex, 4);
    EXPECT_EQ(Latest().resetIndex, 0u) << "a foreign latest entry: the current position";
    EXPECT_FALSE(Latest().firstPaint);

    applier->Reset();
    EXPECT_TRUE(applier->GetId().empty());
    EXPECT_TRUE(SamePixels(Current(), photo));
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
}

TEST_F(EffectPresetApplierTest, IntensityPaintsTemporarilyAndCommitsIntoTheLatestEntry)
{
    applier->ApplyEffect(bright.get());
    const QImage atHalf = Current();
    for (const int value : {0, 100}) {
        bright->SetIntensity(value);
        applier->SetIntensity(bright.get());
    }
    EXPECT_TRUE(SamePixels(Current(), atHalf)) << "temporary frames of a plain preset commit nothing";
    applier->IntensityChangeEnd();
    const QImage atFull = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "the paint changes the latest entry";
    EXPECT_FALSE(SamePixels(atFull, atHalf));

    bright->SetIntensity(0);
    applier->SetIntensity(bright.get());
    applier->IntensityChangeEnd();
    EXPECT_TRUE(SamePixels(Current(), photo)) << "exposure 0 changes nothing";
    applier->IntensityChangeEnd();
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "nothing left to commit";
}

TEST_F(EffectPresetApplierTest, ConfirmKeepsTheResultAndTheNextPresetGoesOnTop)
{
    applier->ApplyEffect(bright.get());
    applier->Confirm();
    EXPECT_TRUE(applier->GetId().empty());
    const QImage confirmed = Current();
    EXPECT_EQ(drawer().GetCurrentPosition(), 2) << "the empty effect follows the preset";
    EXPECT_TRUE(drawer().GetEntry(-1).settings.IsReset());

    applier->ApplyEffect(grey.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 3);
    EXPECT_EQ(Latest().resetIndex, 2u);
    applier->Reset();
    EXPECT_TRUE(SamePixels(Current(), confirmed));

    applier->Confirm();
    Settle(drawer());
    EXPECT_TRUE(drawer().GetEntry(-1).settings.IsReset()) << "confirm without an applied preset still sends";
}

TEST_F(EffectPresetApplierTest, ResetIndexComesFromTheListOurLatestEntryOrTheCurrentPosition)
{
    applier->ApplyEffect(bright.get());
    applier->ApplyEffect(grey.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "same package: the second preset replaces the first";
    EXPECT_EQ(Latest().GetPresetName(), "grey");

    ApplyOwnEntry("other");
    applier->ApplyEffect(bright.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 3) << "foreign latest entry: goes on top of it";
    EXPECT_EQ(Latest().resetIndex, 2u);

    applier->SetResetIndex(1);
    applier->ApplyEffect(grey.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 2) << "the list's reset index wins";
    EXPECT_EQ(Latest().resetIndex, 1u);

    applier->SetResetIndex(EffectsSettingsPackage::NO_INDEX);
    ApplyOwnEntry("looks");
    applier->ApplyEffect(bright.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 4) << "no index from either source: added at the current position";
    EXPECT_EQ(Latest().resetIndex, EffectsSettingsPackage::NO_INDEX);
}

TEST_F(EffectPresetApplierTest, DrawerLockDropsApplyOnly)
{
    info.packageName = "editor";
    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, true);
    applier->ApplyEffect(bright.get());
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
    EXPECT_TRUE(applier->GetId().empty());
    EXPECT_EQ(info.packageName, "editor");

    applier->SetIntensity(bright.get());
    applier->IntensityChangeEnd();
    Settle(drawer());
    EXPECT_EQ(drawer().GetCurrentPosition(), 1) << "intensity ignores the lock";

    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, false);
    applier->ApplyEffect(bright.get());
    EXPECT_EQ(applier->GetId(), "bright");
}

// The lock arrives on whichever thread broadcasts it while the user-interface thread applies
// (a data race before the flag was atomic; a thread sanitizer build checks it).
TEST_F(EffectPresetApplierTest, DrawerLockBroadcastOnAnotherThreadWhileApplyingIsNoDataRace)
{
    std::atomic<bool> done{false};
    std::thread broadcaster([&done] {
        for (int i = 0; i < 50; ++i)
            ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, i % 2 == 1);
        ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, true);
        done = true;
    });
    while (!done)
        applier->ApplyEffect(bright.get());
    broadcaster.join();
    Settle(drawer());

    applier->SetId("");
    applier->ApplyEffect(bright.get());
    EXPECT_TRUE(applier->GetId().empty()) << "the last broadcast locked the drawer";
    ObjectsConnector::broadcast(ObjectsConnector::CORE_DRAWER_LOCK, false);
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
    EXPECT_FALSE(SamePixels(Current(), photo));
    EXPECT_EQ(drawer().GetCurrentPosition(), 1);
    EXPECT_EQ(Latest().GetPresetName(), "mono");
}

TEST_F(EffectPresetApplierTest, WithoutControllerOrEffectsApplyingFailsClearlyAndTheDrawerHearsNothing)
{
    PackageInfo lonelyInfo{"editor", "", -1};
    EffectPresetApplier lonely(lonelyInfo, nullptr);
    lonely.SetPackageName("looks");
    lonelyInfo.packageName = "editor";
    EXPECT_THAT([&] { lonely.ApplyEffect(bright.get()); },
                testing::ThrowsMessage<std::logic_error>(StartsWith("The WorkspaceController is not defined.\n")));
    EXPECT_EQ(lonelyInfo.packageName, "editor") << "a refused apply leaves the editor's record";
    EXPECT_THROW(lonely.SetIntensity(bright.get()), std::logic_error);
    EXPECT_NO_THROW(lonely.IntensityChangeEnd()) << "no paint was opened";
    EXPECT_THROW(lonely.Confirm(), std::logic_error);
    EXPECT_THROW(lonely.Reset(), std::logic_error);

    ItemModelPreset none("none", nullptr, PresetConfig::CommonSettings(), EffectsSettings(), false);
    EXPECT_THROW(applier->ApplyEffect(&none), std::out_of_range);
    EXPECT_EQ(drawer().GetCurrentPosition(), 0);
}

TEST_F(EffectPresetApplierTest, FailingForwardedHandlerIsLoggedNotThrown)
{
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
    EXPECT_EQ(kept->undoPositions, std::vector<int>{7});
    EXPECT_EQ(kept->frameThreads, std::vector<QThread*>{QThread::currentThread()});
}
