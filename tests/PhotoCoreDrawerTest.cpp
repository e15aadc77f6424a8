#include "Host/EffectSettingsImpl.h"
#include "Host/InvokeEffectHelper.h"
#include "Host/PhotoCoreDrawer.h"
#include "Host/SettingsEffectExposure.h"
#include "Host/SettingsPainterEffectsPackage.h"
#include "Host/VideoFrame.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

using namespace Tavrel::PhotoCore;

namespace {

constexpr int BASE_RED = 10;

// Adds each effect's "amount" to the red channel: a picture's red tells which entries were drawn.
QImage AddAmountsToRed(const QImage& input, const EffectsSettings& settings)
{
    int amount = 0;
    for (const auto& effect : settings.Effects())
        amount += static_cast<int>(InvokeEffectHelper::InvokeGet("amount", *effect));
    QImage output = input.copy();
    for (int y = 0; y < output.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(output.scanLine(y));
        for (int x = 0; x < output.width(); ++x)
            line[x] = qRgb(std::clamp(qRed(line[x]) + amount, 0, 255), qGreen(line[x]), qBlue(line[x]));
    }
    return output;
}

IEffectSettings::Ptr Effect(double amount, const std::string& id = "exposure")
{
    auto effect = EffectSettingsImpl<SettingsEffectExposure>::Create(SettingsEffectExposure());
    effect->SetId(id);
    InvokeEffectHelper::InvokeSet("amount", *effect, amount);
    return effect;
}

EffectsSettings Settings(double amount, const std::string& package = {}, unsigned int resetIndex = EffectsSettingsPackage::NO_INDEX)
{
    EffectsSettings settings;
    settings.Effects().push_back(Effect(amount));
    settings.Package().SetPackageName(package);
    settings.Package().SetPresetName(package.empty() ? std::string() : "preset" + std::to_string(int(amount)));
    settings.Package().resetIndex = resetIndex;
    return settings;
}

QImage Photo(int width = 64, int height = 48)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            photo.setPixel(x, y, qRgb(BASE_RED, (x * 7) % 256, (y * 5) % 256));
    return photo;
}

int RedOf(const QImage& image) { return qRed(image.pixel(image.width() / 2, image.height() / 2)); }

class RecordingHandler : public IDrawerEventHandler {
public:
    struct Record {
        std::string kind;
        int position = -1;
        std::thread::id thread;
        int red = -1;
    };

    void HandleUndo(const DrawerEventUndo& event) override { Add("undo", event.position); }
    void HandleFrame(const DrawerEventFrame& event) override
    {
        Add("frame", event.position, RedOf(VideoFrame::ImageOf(event.frame)));
    }
    void HandleChangeToSave(const DrawerEventChangeToSave& event) override { Add("changeToSave", event.hasChanges); }
    void HandleFrameTemporary(const DrawerEventFrameTemporary& event) override
    {
        Add("temporary", -1, RedOf(VideoFrame::ImageOf(event.frame)));
    }
    void HandleToolIdChange(const DrawerEventToolIdChange&) override { Add("tool", -1); }
    void HandleShapeItem(const DrawerEventShapeItem&) override { Add("shape", -1); }
    void HandleMementoChanged(const DrawerEventMementoChanged& event) override { Add("memento", event.currentPosition); }
    void HandleRenderProgress(double) override { Add("progress", -1); }

    std::vector<Record> Records()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_records;
    }
    std::vector<Record> Of(const std::string& kind)
    {
        std::vector<Record> matching;
        for (const Record& record : Records())
            if (record.kind == kind)
                matching.push_back(record);
        return matching;
    }

private:
    void Add(const std::string& kind, int position, int red = -1)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records.push_back({kind, position, std::this_thread::get_id(), red});
    }

    std::mutex m_mutex;
    std::vector<Record> m_records;
};

class PhotoCoreDrawerTest : public ::testing::Test {
protected:
    PhotoCoreDrawerTest()
        : drawer(Photo(), [this](const QImage& input, const EffectsSettings& settings) {
              ++renders;
              return AddAmountsToRed(input, settings);
          })
    {
        drawer.AddDrawerEventHandler(&handler);
    }
    ~PhotoCoreDrawerTest() override { drawer.RemoveDrawerEventHandler(&handler); }

    int Shown()
    {
        drawer.WaitUntilIdle();
        return RedOf(drawer.CurrentImage()) - BASE_RED;
    }

    std::atomic<int> renders{0};
    RecordingHandler handler;
    PhotoCoreDrawer drawer;
};

} // namespace

TEST_F(PhotoCoreDrawerTest, PresetsReplaceEachOtherAtTheirResetIndexAndStackAfterPlainEntries)
{
    drawer.ApplyEffects(Settings(1), {});
    EXPECT_EQ(Shown(), 1);
    drawer.ApplyEffects(Settings(20, "P", 1), {});
    EXPECT_EQ(Shown(), 21);
    drawer.ApplyEffects(Settings(30, "P", 1), {});
    EXPECT_EQ(Shown(), 31) << "the second preset is drawn on the photo as it was before the first";
    EXPECT_EQ(drawer.GetCurrentPosition(), 2);
    EXPECT_EQ(drawer.FindPackagePosition("P"), 1);
    EXPECT_EQ(drawer.GetEntry(-1).settings.Package().GetPresetName(), "preset30");
    EXPECT_EQ(drawer.GetEntry(-1).settings.Package().sourceIndex, 1u);

    drawer.ApplyEffect(Effect(5), {}); // a confirmation: an entry without package
    drawer.ApplyEffects(Settings(40, "P", 3), {});
    EXPECT_EQ(Shown(), 76);
    EXPECT_EQ(drawer.GetCurrentPosition(), 4);
    EXPECT_EQ(drawer.FindPackagePosition("P"), 3);
    EXPECT_EQ(drawer.GetEntry(2).settings.Package().GetPackageName(), "");
    EXPECT_EQ(drawer.GetEntry(2).settings.Package().sourceIndex, 2u);

    EXPECT_EQ(drawer.FindPackagePosition("Other"), -1);
    EXPECT_EQ(drawer.FindPackagePosition(""), -1) << "entries without package belong to no package";
    EXPECT_TRUE(drawer.GetEntry(4).settings.Effects().empty());
    EXPECT_TRUE(drawer.GetEntry(-7).settings.Effects().empty());

    // Each entry was drawn once, on a kept state; not the whole history every time.
    EXPECT_EQ(renders.load(), 5);
}

TEST_F(PhotoCoreDrawerTest, ResetIndexBeyondTheCurrentPositionAppends)
{
    drawer.ApplyEffects(Settings(1), {});
    drawer.ApplyEffects(Settings(2, "P", 7), {});
    EXPECT_EQ(drawer.GetCurrentPosition(), 2);
    EXPECT_EQ(drawer.GetEntry(1).settings.Package().sourceIndex, 1u);
    EXPECT_EQ(Shown(), 3);
}

TEST_F(PhotoCoreDrawerTest, HistoryKeepsClonesOfWhatItWasGiven)
{
    EffectsSettings settings = Settings(20, "P", 0);
    drawer.ApplyEffects(settings, {});
    InvokeEffectHelper::InvokeSet("amount", *settings.Effects()[0], 50); // a preset's shared effect changes
    settings.Package().SetPackageName("changed");

    DrawerEntry entry = drawer.GetEntry(-1);
    EXPECT_DOUBLE_EQ(InvokeEffectHelper::InvokeGet("amount", *entry.settings.Effects()[0]), 20);
    InvokeEffectHelper::InvokeSet("amount", *entry.settings.Effects()[0], 60);
    EXPECT_DOUBLE_EQ(InvokeEffectHelper::InvokeGet("amount", *drawer.GetEntry(-1).settings.Effects()[0]), 20);
    EXPECT_EQ(drawer.GetEntry(0).settings.Package().GetPackageName(), "P");
    EXPECT_EQ(Shown(), 20);
}

TEST_F(PhotoCoreDrawerTest, RestoreReturnsToAPositionAndResetGivesBackTheOriginalBytes)
{
    drawer.ApplyEffects(Settings(1), {});
    drawer.ApplyEffects(Settings(20, "P", 1), {});
    drawer.ApplyEffects(Settings(4), {});
    EXPECT_EQ(Shown(), 25);

    drawer.Restore(HistoryRequest{1, true});
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(drawer.GetCurrentPosition(), 1);
    EXPECT_EQ(drawer.FindPackagePosition("P"), -1) << "kept later entries are not looked at";
    EXPECT_EQ(drawer.GetEntry(2).settings.Package().sourceIndex, 2u) << "later entries were kept";
    EXPECT_EQ(drawer.GetEntry(-1).settings.Package().sourceIndex, 0u);

    drawer.Restore(HistoryRequest{3, true});
    EXPECT_EQ(Shown(), 25) << "redo";
    drawer.Restore(HistoryRequest{drawer.FindPackagePosition("P")});
    EXPECT_EQ(Shown(), 1);
    EXPECT_TRUE(drawer.GetEntry(1).settings.Effects().empty()) << "later entries were dropped";

    const auto undos = handler.Of("undo");
    ASSERT_EQ(undos.size(), 3u);
    EXPECT_EQ(undos.back().position, 1);
    EXPECT_EQ(handler.Records().back().kind, "frame") << "the frame of the restored position comes last";

    drawer.Restore(HistoryRequest{-5});
    drawer.WaitUntilIdle();
    const QImage photo = Photo();
    const QImage shown = drawer.CurrentImage();
    ASSERT_EQ(shown.format(), photo.format());
    ASSERT_EQ(shown.sizeInBytes(), photo.sizeInBytes());
    EXPECT_EQ(std::memcmp(shown.constBits(), photo.constBits(), static_cast<std::size_t>(photo.sizeInBytes())), 0);
    EXPECT_EQ(drawer.GetCurrentPosition(), 0);
    EXPECT_EQ(handler.Of("changeToSave").back().position, 0);
}

TEST_F(PhotoCoreDrawerTest, TemporaryPaintEditsTheLatestEntryUntilCommitted)
{
    drawer.ApplyEffects(Settings(20, "P", 0), {});
    EXPECT_EQ(Shown(), 20);

    auto painter = std::make_shared<SettingsPainterEffectsPackage>();
    painter->SetEditLatestEntry(true);
    drawer.SetPainterSettings(painter, nullptr);
    ASSERT_TRUE(drawer.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS));

    EffectsSettings intensity;
    intensity.Effects().push_back(Effect(7));       // same identifier: replaces the entry's effect
    intensity.Effects().push_back(Effect(2, "x")); // new identifier: added
    intensity.Package().blendLevel = 40;
    intensity.Package().resetIndex = 0; // editLatestEntry wins over it
    drawer.UpdatePaint(intensity, true);
    ASSERT_EQ(handler.Of("temporary").size(), 1u);
    EXPECT_EQ(handler.Of("temporary").back().red - BASE_RED, 9);
    EXPECT_EQ(Shown(), 20) << "a temporary paint is not the current picture";
    EXPECT_EQ(drawer.GetCurrentPosition(), 1);

    drawer.CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, true);
    EXPECT_EQ(Shown(), 9);
    EXPECT_EQ(drawer.GetCurrentPosition(), 1);
    const EffectsSettings latest = drawer.GetEntry(-1).settings;
    EXPECT_EQ(latest.Effects().size(), 2u);
    EXPECT_EQ(latest.Package().blendLevel, 40);
    EXPECT_EQ(latest.Package().GetPackageName(), "P");
    EXPECT_EQ(handler.Of("frame").back().red - BASE_RED, 9);

    drawer.CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, true);
    EXPECT_EQ(drawer.GetCurrentPosition(), 1) << "no open paint, nothing to commit";
}

TEST_F(PhotoCoreDrawerTest, PaintWithResetIndexBecomesAStampedEntryThere)
{
    drawer.ApplyEffects(Settings(1), {});
    auto painter = std::make_shared<SettingsPainterEffectsPackage>();
    painter->SetPackageInfoSettings(PackageInfo{"Q", "sepia", 3});
    drawer.SetPainterSettings(painter, nullptr);

    for (const double amount : {30.0, 40.0}) {
        drawer.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
        drawer.UpdatePaint(Settings(amount, "", 1), false);
        drawer.CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, false);
    }
    EXPECT_EQ(Shown(), 41);
    EXPECT_EQ(drawer.GetCurrentPosition(), 2);
    const EffectsSettingsPackage package = drawer.GetEntry(-1).settings.Package();
    EXPECT_EQ(package.GetPackageName(), "Q");
    EXPECT_EQ(package.GetPresetName(), "sepia");
    EXPECT_EQ(package.presetGroupIndex, 3);
    EXPECT_EQ(package.sourceIndex, 1u);
    EXPECT_EQ(drawer.FindPackagePosition("Q"), 1);
}

TEST_F(PhotoCoreDrawerTest, EventsComeFromTheWorkerThreadInOrder)
{
    drawer.ApplyEffects(Settings(3), {});
    drawer.WaitUntilIdle();
    const auto records = handler.Records();
    ASSERT_FALSE(records.empty());
    std::vector<std::string> kinds;
    for (const auto& record : records) {
        EXPECT_NE(record.thread, std::this_thread::get_id()) << record.kind;
        EXPECT_EQ(record.thread, records.front().thread) << record.kind;
        if (kinds.empty() || kinds.back() != record.kind)
            kinds.push_back(record.kind);
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"memento", "changeToSave", "progress", "frame"}));
    EXPECT_EQ(handler.Of("frame").back().position, 1);
    EXPECT_EQ(handler.Of("changeToSave").back().position, 1);
}

TEST_F(PhotoCoreDrawerTest, QueuedRendersEndWithTheLatestState)
{
    for (int i = 1; i <= 20; ++i)
        drawer.ApplyEffects(Settings(1), {});
    drawer.WaitUntilIdle();
    EXPECT_EQ(RedOf(drawer.CurrentImage()) - BASE_RED, 20);
    EXPECT_EQ(handler.Of("frame").back().position, 20);
    EXPECT_EQ(handler.Of("frame").back().red - BASE_RED, 20);
    EXPECT_EQ(handler.Of("memento").size(), 20u) << "history events are never merged";
}

TEST(PhotoCoreDrawer, WaitUntilIdleWaitsForTheRenderAndRemovedHandlersHearNothing)
{
    PhotoCoreDrawer drawer(Photo(), [](const QImage& input, const EffectsSettings& settings) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return AddAmountsToRed(input, settings);
    });
    RecordingHandler stays, leaves;
    drawer.AddDrawerEventHandler(&stays);
    drawer.AddDrawerEventHandler(&leaves);

    drawer.ApplyEffects(Settings(5), {});
    drawer.WaitUntilIdle();
    EXPECT_EQ(stays.Of("frame").size(), 1u);

    drawer.ApplyEffects(Settings(5), {});
    std::this_thread::sleep_for(std::chrono::milliseconds(5)); // let the render start
    drawer.RemoveDrawerEventHandler(&leaves);
    const std::size_t heard = leaves.Records().size();
    drawer.ApplyEffects(Settings(5), {});
    drawer.WaitUntilIdle();
    EXPECT_EQ(leaves.Records().size(), heard);
    EXPECT_EQ(stays.Of("frame").back().red - BASE_RED, 15);
    drawer.RemoveDrawerEventHandler(&stays);
}

TEST(PhotoCoreDrawer, PreviewsAreDrawnFromADownscaledPhotoAtTheRequestedPosition)
{
    std::atomic<int> largestInput{0};
    PhotoCoreDrawer drawer(Photo(1600, 1200), [&](const QImage& input, const EffectsSettings& settings) {
        largestInput = std::max({largestInput.load(), input.width(), input.height()});
        return AddAmountsToRed(input, settings);
    });
    drawer.ApplyEffects(Settings(10), {});
    drawer.ApplyEffects(Settings(20), {});
    drawer.WaitUntilIdle();
    largestInput = 0;

    PreviewPolicy policy;
    policy.m_effectPolicy = EffectPolicy::ApplyNormal;
    const FrameSize tile{384, 224};
    const FramePtr current = drawer.RenderPreview(Settings(5), tile, policy, -1);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->Width(), 384);
    EXPECT_EQ(current->Height(), 224);
    EXPECT_EQ(RedOf(VideoFrame::ImageOf(current)) - BASE_RED, 35);
    EXPECT_EQ(RedOf(VideoFrame::ImageOf(drawer.RenderPreview(Settings(5), tile, policy, 1))) - BASE_RED, 15);
    EXPECT_EQ(RedOf(VideoFrame::ImageOf(drawer.RenderPreview(Settings(5), tile, policy, 0))) - BASE_RED, 5);
    EXPECT_LE(largestInput.load(), PhotoCoreDrawer::PREVIEW_PHOTO_SIDE) << "the full-size photo must not be filtered";

    QImage own(96, 56, QImage::Format_RGB32);
    own.fill(qRgb(50, 0, 0));
    const FramePtr fromSource = drawer.RenderPreview(Settings(5), FrameSize{96, 56}, policy, FramePtr(new VideoFrame(own)), FramePtr());
    ASSERT_TRUE(fromSource);
    EXPECT_EQ(RedOf(VideoFrame::ImageOf(fromSource)), 55) << "the history does not apply to a given picture";
    EXPECT_FALSE(drawer.RenderPreview(Settings(5), tile, policy, FramePtr(), FramePtr()));
    EXPECT_FALSE(drawer.RenderPreview(Settings(5), FrameSize{0, 10}, policy, -1));
}
