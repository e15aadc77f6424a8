#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EmptySettings.h"
#include "Host/Effects/InvokeEffectHelper.h"
#include "Host/Effects/SettingsEffectEmpty.h"
#include "Host/Effects/SettingsPainterEffectsPackage.h"
#include "Host/Drawer/PhotoCoreDrawer.h"
#include "Host/Drawer/VideoFrame.h"
#include "tests/EffectTestHelpers.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

using namespace Tavrel::PhotoCore;

namespace {

constexpr int BASE_RED = 10;

using Cancelled = RenderedStateCache::Cancelled;

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

IEffectSettings::Ptr Effect(double amount) { return MakeEffect("exposure", {{"amount", amount}}); }

EffectsSettings Settings(double amount, const std::string& package = {},
                         unsigned int resetIndex = EffectsSettingsPackage::NO_INDEX)
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
int AddedRed(const FramePtr& frame) { return RedOf(VideoFrame::ImageOf(frame)) - BASE_RED; }

class RecordingHandler : public IDrawerEventHandler {
public:
    struct Record {
        std::string kind;
        int position;
        int red;
        int width;
    };

    void HandleUndo(const DrawerEventUndo& event) override { Add("undo", event.position); }
    void HandleFrame(const DrawerEventFrame& event) override { Add("frame", event.position, AddedRed(event.frame)); }
    void HandleChangeToSave(const DrawerEventChangeToSave&) override {}
    void HandleFrameTemporary(const DrawerEventFrameTemporary& e) override
    {
        Add("temporary", -1, AddedRed(e.frame), e.frame->Width());
    }
    void HandleToolIdChange(const DrawerEventToolIdChange&) override {}
    void HandleShapeItem(const DrawerEventShapeItem&) override {}
    void HandleMementoChanged(const DrawerEventMementoChanged&) override {}
    void HandleRenderProgress(double) override {}

    // All records, or those of one kind.
    std::vector<Record> Of(const std::string& kind = {})
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<Record> matching;
        std::copy_if(m_records.begin(), m_records.end(), std::back_inserter(matching),
                     [&](const Record& record) { return kind.empty() || record.kind == kind; });
        return matching;
    }

private:
    void Add(const std::string& kind, int position = -1, int red = -1, int width = 0)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records.push_back({kind, position, red, width});
    }

    std::mutex m_mutex;
    std::vector<Record> m_records;
};

std::optional<QImage> AddingAmounts(const QImage& input, const EffectsSettings& settings, const Cancelled&)
{
    return AddAmountsToRed(input, settings);
}

// A drawer whose events the handler records while it lives.
class RecordedDrawer : public PhotoCoreDrawer {
public:
    explicit RecordedDrawer(Renderer renderer = AddingAmounts, const QImage& photo = Photo(), int proxySide = PROXY_PHOTO_SIDE)
        : PhotoCoreDrawer(photo, std::move(renderer), proxySide)
    {
        AddDrawerEventHandler(&handler);
    }
    ~RecordedDrawer() override { RemoveDrawerEventHandler(&handler); }

    int Shown()
    {
        WaitUntilIdle();
        return RedOf(CurrentImage()) - BASE_RED;
    }

    RecordingHandler handler;
};

} // namespace

TEST(PhotoCoreDrawer, HistoryKeepsClonesDrawsEachEntryOnAKeptStateAndRestoresWithOrWithoutLaterEntries)
{
    RecordedDrawer drawer;
    drawer.ApplyEffects(Settings(1), {});
    EffectsSettings first = Settings(20, "P", 1);
    drawer.ApplyEffects(first, {});
    // The history keeps clones: neither the caller's settings nor a fetched entry reach it.
    InvokeEffectHelper::InvokeSet("amount", *first.Effects()[0], 50);
    InvokeEffectHelper::InvokeSet("amount", *drawer.GetEntry(-1).settings.Effects()[0], 60);
    EXPECT_DOUBLE_EQ(InvokeEffectHelper::InvokeGet("amount", *drawer.GetEntry(-1).settings.Effects()[0]), 20);
    EXPECT_EQ(drawer.Shown(), 21);
    drawer.ApplyEffects(Settings(30, "P", 1), {});
    EXPECT_EQ(drawer.Shown(), 31) << "the second preset is drawn on the photo as it was before the first";
    drawer.ApplyEffect(Effect(5), {}); // a confirmation: an entry without package
    drawer.ApplyEffects(Settings(40, "P", 3), {});
    EXPECT_EQ(drawer.Shown(), 76);
    EXPECT_EQ(drawer.FindPackagePosition(""), -1) << "entries without package belong to no package";

    drawer.Restore(HistoryRequest{1, true});
    EXPECT_EQ(drawer.Shown(), 1);
    drawer.Restore(HistoryRequest{4, true});
    EXPECT_EQ(drawer.Shown(), 76) << "redo";
    drawer.Restore(HistoryRequest{1});
    EXPECT_EQ(drawer.Shown(), 1);
    EXPECT_TRUE(drawer.GetEntry(1).settings.Effects().empty()) << "later entries were dropped";
    EXPECT_EQ(drawer.handler.Of("undo").back().position, 1);
    EXPECT_EQ(drawer.handler.Of().back().kind, "frame") << "the frame of the restored position comes last";
}

// A preset tried is the latest entry until something follows it; cancelling it restores the
// photo as it was, with the steps undo left to redo, and never reaches back past a confirmation.
TEST(PhotoCoreDrawer, CancellingATryReturnsToTheStateBeforeItAndLosesNoConfirmedStep)
{
    RecordedDrawer drawer;
    const auto confirm = [&drawer] { drawer.ApplyEffect(EffectSettingsImpl<SettingsEffectEmpty, EmptySettings>::Create(SettingsEffectEmpty()), {}); };
    const auto cancel = [&drawer] {
        const int position = drawer.FindPackagePosition("P");
        if (position != -1)
            drawer.Restore(HistoryRequest{position, false, true});
    };
    drawer.ApplyEffects(Settings(1, "P", 0), {});
    confirm();
    drawer.ApplyEffects(Settings(20, "P", 2), {});
    confirm();
    EXPECT_EQ(drawer.FindPackagePosition("P"), -1) << "both presets are confirmed";
    cancel();
    EXPECT_EQ(drawer.Shown(), 21);
    EXPECT_EQ(drawer.EntryCount(), 4);

    drawer.Restore(HistoryRequest{2, true}); // undo
    drawer.ApplyEffects(Settings(5, "P", 2), {});
    drawer.ApplyEffects(Settings(7, "P", 2), {}); // another preset instead
    EXPECT_EQ(drawer.FindPackagePosition("P"), 2);
    EXPECT_EQ(drawer.EntryCount(), 3) << "the redo steps wait aside while trying";
    cancel();
    EXPECT_EQ(drawer.Shown(), 1);
    ASSERT_EQ(drawer.EntryCount(), 4) << "the redo steps are back";
    drawer.Restore(HistoryRequest{4, true}); // redo
    EXPECT_EQ(drawer.Shown(), 21);

    drawer.Restore(HistoryRequest{2, true});
    drawer.ApplyEffects(Settings(5, "P", 2), {});
    confirm();
    EXPECT_EQ(drawer.EntryCount(), 4) << "a confirmed preset replaces what was left to redo";
    EXPECT_EQ(drawer.Shown(), 6);

    drawer.Restore(HistoryRequest{2, true});
    drawer.UpdatePaint(Settings(9, "P", 2), false); // its first frame not back yet: nothing recorded
    EXPECT_EQ(drawer.FindPackagePosition("P"), 2);
    cancel();
    EXPECT_EQ(drawer.EntryCount(), 4) << "cancelling a paint keeps what undo left to redo";
    EXPECT_EQ(drawer.Shown(), 1);

    // An intensity dragged before the tried preset's first frame is back edits that preset, not
    // the confirmed step before it.
    drawer.UpdatePaint(Settings(9, "P", 2), false);
    auto intensity = std::make_shared<SettingsPainterEffectsPackage>();
    intensity->SetEditLatestEntry(true);
    drawer.SetPainterSettings(intensity, nullptr);
    drawer.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
    drawer.UpdatePaint(Settings(3), false);
    drawer.CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, false);
    EXPECT_EQ(drawer.Shown(), 4) << "the confirmed step keeps its 1, the tried preset is now 3";
    EXPECT_EQ(drawer.EntryCount(), 3);
    EXPECT_EQ(drawer.FindPackagePosition("P"), 2);
}

namespace {

// Holds the first render, polling as a banded render does, until it is abandoned or released.
struct HeldFirstRender {
    PhotoCoreDrawer::Renderer Renderer()
    {
        return [this](const QImage& input, const EffectsSettings& settings,
                      const Cancelled& cancelled) -> std::optional<QImage> {
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (!started) {
                    started = true;
                    changed.notify_all();
                    while (!cancelled() && !released)
                        changed.wait_for(lock, std::chrono::milliseconds(1));
                }
            }
            if (cancelled())
                return std::nullopt;
            return AddAmountsToRed(input, settings);
        };
    }
    void WaitUntilStarted()
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [this] { return started; });
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(mutex);
        released = true;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool released = false;
};

struct StaleRenderCase {
    const char* name;
    std::function<void(PhotoCoreDrawer&, double amount)> ask;
    const char* shownBy;
};

void PrintTo(const StaleRenderCase& staleCase, std::ostream* out) { *out << staleCase.name; }

class StaleRender : public ::testing::TestWithParam<StaleRenderCase> {};

} // namespace

TEST_P(StaleRender, IsAbandonedAndNeverShownNorRecorded)
{
    HeldFirstRender hold;
    RecordedDrawer drawer(hold.Renderer());

    GetParam().ask(drawer, 10);
    hold.WaitUntilStarted();
    GetParam().ask(drawer, 20);
    hold.Release();
    drawer.WaitUntilIdle();
    drawer.GetPainter().CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, true);

    for (const auto& record : drawer.handler.Of())
        EXPECT_NE(record.red, 10) << record.kind << " of the abandoned render";
    ASSERT_FALSE(drawer.handler.Of(GetParam().shownBy).empty());
    EXPECT_EQ(drawer.handler.Of(GetParam().shownBy).back().red, 20);
    EXPECT_EQ(drawer.Shown(), 20);
    EXPECT_DOUBLE_EQ(InvokeEffectHelper::InvokeGet("amount", *drawer.GetEntry(-1).settings.Effects()[0]), 20);
    EXPECT_EQ(drawer.GetCurrentPosition(), 1);
    const PhotoCoreDrawer::RenderCounts counts = drawer.Counts();
    EXPECT_EQ(counts.started - counts.finished, 1) << "the stale render stopped, it did not finish unseen";
}

INSTANTIATE_TEST_SUITE_P(
    PhotoCoreDrawer, StaleRender,
    ::testing::Values(
        StaleRenderCase{"Final", [](PhotoCoreDrawer& drawer, double amount) { drawer.ApplyEffects(Settings(amount, "P", 0), {}); },
                        "frame"},
        StaleRenderCase{"Paint",
                        [](PhotoCoreDrawer& drawer, double amount) {
                            drawer.GetPainter().Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
                            drawer.GetPainter().UpdatePaint(Settings(amount), false);
                        },
                        "temporary"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhotoCoreDrawer, ABurstOfPaintsShowsProxiesFirstAndEndsOnTheLastValueDrawnOnce)
{
    const QImage photo = Photo(320, 240);
    RecordedDrawer drawer(AddingAmounts, photo, 80);
    IPhotoCoreDrawerPainter& painter = drawer.GetPainter();
    painter.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
    for (int value = 1; value <= 100; ++value)
        painter.UpdatePaint(Settings(value), false);
    drawer.WaitUntilIdle();

    const auto temporaries = drawer.handler.Of("temporary");
    ASSERT_FALSE(temporaries.empty());
    for (std::size_t i = 0; i < temporaries.size(); ++i) {
        EXPECT_TRUE(temporaries[i].width == 80 || temporaries[i].width == 320) << temporaries[i].width;
        if (i > 0) {
            EXPECT_GE(temporaries[i].red, temporaries[i - 1].red) << "an older value came after a newer one";
        }
        if (temporaries[i].width == 320) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(temporaries[i - 1].width, 80) << "the proxy comes first";
            EXPECT_EQ(temporaries[i - 1].red, temporaries[i].red);
        }
    }
    EXPECT_EQ(temporaries.back().width, 320);
    EXPECT_EQ(temporaries.back().red, 100);

    painter.CommitPaint(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS, true);
    EXPECT_EQ(drawer.CurrentImage(), AddAmountsToRed(photo, Settings(100)));
    EXPECT_EQ(drawer.handler.Of().back().kind, "frame");

    // The photo shown smaller: the next paint's proxy is made as small.
    drawer.SetProxySide(40);
    painter.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
    painter.UpdatePaint(Settings(7), true);
    const auto next = drawer.handler.Of("temporary");
    ASSERT_EQ(next.size(), temporaries.size() + 2);
    EXPECT_EQ(next[temporaries.size()].width, 40);
    EXPECT_EQ(next.back().width, 320);
}
