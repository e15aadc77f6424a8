#include "Host/Drawer/PreviewCountingWorkspace.h"
#include "PresetListHarness.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <functional>

using namespace PresetListHarness;
using Tavrel::PhotoCore::PreviewCountingWorkspace;
using Tavrel::PhotoCore::WorkspaceController;

namespace {

constexpr int ManyRow = FirstConfiguredRow;
constexpr int FewRow = FirstConfiguredRow + 1;
constexpr int BlendedRow = FirstConfiguredRow + 2;

// A preset whose one effect is a blender that its blend intensity drives in place; it starts at full strength.
PresetConfig::Item BlendedItem()
{
    PresetConfig::Item item = TestPresets::PlainItem("blended", "maskBlender", {{"fillMask", true}, {"renderInner", true}});
    item.m_intensity.m_type = PresetConfig::IntensityType::Blend;
    return item;
}

class ListPreviews;
struct Case {
    const char* name;
    int group;                              // shown, all of its previews rendered, before act
    std::function<void(ListPreviews&)> act; // what the user does, and the editor when the photo changes
    int renders;                            // previews rendered by act and filling the group again
};

// A list whose previews are counted at the drawer. The Few group's three tiles all fit the view.
class ListPreviews : public ::testing::TestWithParam<Case>, public Harness {
public:
    ListPreviews() : Harness({{Group("Many", ExposureItems("many", 300)), Group("Few", ExposureItems("few", 3)),
                  Group("Blended", {BlendedItem()})},
                 {}})
    {
    }

    void Watch(const std::shared_ptr<WorkspaceController>& workspace)
    {
        counting = std::make_shared<PreviewCountingWorkspace>(workspace);
        list->SetWorkspaceController(counting);
    }

    void Click(int row, const char* button)
    {
        QTest::mouseClick(&Part(row, button), Qt::LeftButton);
        Photo();
        Paint();
    }

    std::shared_ptr<PreviewCountingWorkspace> counting;
};

} // namespace

TEST_P(ListPreviews, RendersOnlyThePreviewsThatChanged)
{
    UseStyleSheet();
    Open(QSize(260, 600));
    ASSERT_TRUE(list->AddUserPreset(QStringLiteral("Mine"), "mine", {}, false));
    Watch(controller);
    SelectGroup(CustomRow);
    SelectGroup(GetParam().group);
    ASSERT_GT(counting->Count(), 0);
    counting->ResetCount();

    GetParam().act(*this);
    Photo();
    // Filled again as the list does when it follows the photo's history, without a photo change.
    if (const int rows = Shown().rowCount())
        emit Shown().dataChanged(Shown().index(0, 0), Shown().index(rows - 1, 0));
    Paint();
    EXPECT_EQ(counting->Count(), GetParam().renders);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListPreviews,
    ::testing::Values(
        // Another workspace is one of the generator's own settings: no Update needed.
        Case{"AnotherPhoto", FewRow,
             [](ListPreviews& t) { t.Watch(std::make_shared<WorkspaceController>(TestPresets::GradientPhoto())); }, 3},
        // Previews are drawn below the tried preset's entry: only the tried tile, whose effects
        // the try writes its intensity into, is drawn again.
        Case{"PresetTried", FewRow, [](ListPreviews& t) { t.Click(1, "activateButton"); }, 1},
        Case{"PresetConfirmedAndListUpdated", FewRow, [](ListPreviews& t) {
                 t.Click(0, "activateButton");
                 t.Click(0, "applyBtn");
                 t.list->Update();
             }, 3},
        // The kept previews of hidden groups go too: 1 custom and 3 shown again.
        Case{"ListUpdatedAndOtherGroupShown", FewRow, [](ListPreviews& t) {
                 t.list->Update();
                 t.SelectGroup(CustomRow);
                 t.SelectGroup(FewRow);
             }, 4},
        Case{"OnePresetsIntensity", FewRow, [](ListPreviews& t) {
                 t.Click(0, "activateButton");
                 QTest::keyClick(&t.Part<QSlider>(0, "intensitySlider"), Qt::Key_PageUp);
             }, 1},
        Case{"BlendedPresetsIntensity", BlendedRow, [](ListPreviews& t) {
                 t.Click(0, "activateButton");
                 QTest::keyClick(&t.Part<QSlider>(0, "intensitySlider"), Qt::Key_PageDown);
             }, 1},
        Case{"Renamed", CustomRow, [](ListPreviews& t) {
                 const QModelIndex mine = t.Shown().index(0, 0);
                 EXPECT_TRUE(t.Shown().setData(mine, QStringLiteral("Evening"), ModelPreset::RenameRole));
             }, 0},
        Case{"GroupSwitchedAndBack", FewRow,
             [](ListPreviews& t) { t.SelectGroup(CustomRow); t.SelectGroup(FewRow); }, 0},
        Case{"PanelReopened", FewRow, [](ListPreviews& t) { t.list->hide(); t.Paint(); t.list->show(); }, 0},
        // 300 presets scrolled to the bottom twice, a page at a time: each rendered once (ListBench: 1,000).
        Case{"ScrolledDownTwice", FewRow, [](ListPreviews& t) {
                 t.SelectGroup(ManyRow);
                 QScrollBar* bar = t.View().verticalScrollBar();
                 const int steps = bar->maximum() / bar->pageStep() + 2;
                 for (int step = 0; step < 2 * steps; ++step) {
                     bar->setValue(step % steps * bar->pageStep());
                     t.Paint();
                 }
             }, 300}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });
