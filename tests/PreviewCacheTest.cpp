#include "Host/Drawer/PreviewCountingWorkspace.h"
#include "PresetListHarness.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <set>

using namespace PresetListHarness;
using Tavrel::PhotoCore::PreviewCountingWorkspace;
using Tavrel::PhotoCore::WorkspaceController;

namespace {

constexpr int ManyRow = FirstConfiguredRow;
constexpr int FewRow = FirstConfiguredRow + 1;
constexpr int FEW = 3;

PresetConfig::Config ManyAndFew()
{
    PresetConfig::Config config;
    config.m_groups.push_back(Group("Many", ExposureItems("many", 1000)));
    config.m_groups.push_back(Group("Few", ExposureItems("few", FEW)));
    return config;
}

// A list whose previews are counted from the moment it is shown on a group.
class ListPreviews : public ::testing::Test {
public:
    void SetUp() override
    {
        UseStyleSheet();
        harness.Open(QSize(260, 600));
        Watch(harness.controller);
    }

    void Watch(const std::shared_ptr<WorkspaceController>& workspace)
    {
        counting = std::make_shared<PreviewCountingWorkspace>(workspace);
        harness.list->SetWorkspaceController(counting);
    }

    // The rows that had a tile while the list scrolled from the top to the bottom.
    std::set<int> ScrollThrough() const
    {
        QListView& view = harness.View();
        QScrollBar* bar = view.verticalScrollBar();
        std::set<int> rows;
        for (int value = 0;; value = std::min(value + bar->pageStep(), bar->maximum())) {
            bar->setValue(value);
            harness.Paint();
            for (const PresetWidget* tile : view.viewport()->findChildren<PresetWidget*>())
                rows.insert(view.indexAt(tile->geometry().center()).row());
            if (value == bar->maximum())
                return rows;
        }
    }

    Harness harness{ManyAndFew()};
    std::shared_ptr<PreviewCountingWorkspace> counting;
};

} // namespace

TEST_F(ListPreviews, ScrollingDownTwiceRendersEachPresetOnce)
{
    harness.SelectGroup(ManyRow);
    const std::set<int> first = ScrollThrough();
    const std::set<int> second = ScrollThrough();

    EXPECT_EQ(first.size(), 1000u);
    EXPECT_EQ(second, first);
    EXPECT_EQ(counting->Count(), 1000);
}

TEST_F(ListPreviews, SwitchingGroupsAndBackRendersNothingAgain)
{
    harness.SelectGroup(FewRow);
    harness.SelectGroup(ManyRow);
    const int shown = counting->Count();
    EXPECT_GT(shown, FEW);

    harness.SelectGroup(FewRow);
    harness.SelectGroup(ManyRow);
    EXPECT_EQ(counting->Count(), shown);
}

struct ChangeCase {
    const char* name;
    std::function<void(ListPreviews&, Harness&)> change;
    int renders; // when the shown group is filled again afterwards
};

class ListPreviewChange : public ListPreviews, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ListPreviewChange, RendersOnlyThePreviewsItChanged)
{
    harness.SelectGroup(FewRow);
    ASSERT_EQ(counting->Count(), FEW);

    GetParam().change(*this, harness);
    const int before = counting->Count();
    harness.list->Update();
    harness.Paint();
    EXPECT_EQ(counting->Count() - before, GetParam().renders);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListPreviewChange,
    ::testing::Values(
        ChangeCase{"AnotherPhoto",
                   [](ListPreviews& test, Harness&) {
                       test.Watch(
                           std::make_shared<WorkspaceController>(TestPresets::GradientPhoto()));
                   },
                   FEW},
        ChangeCase{"ItsOwnPresetTried", // the previews are drawn from below the list's own entry
                   [](ListPreviews&, Harness& h) {
                       QTest::mouseClick(&h.Part<QToolButton>(1, "activateButton"), Qt::LeftButton);
                       h.Photo();
                   },
                   0},
        ChangeCase{"ItsOwnPresetConfirmed", // now the photo under the previews has it
                   [](ListPreviews&, Harness& h) {
                       QTest::mouseClick(&h.Part<QToolButton>(1, "activateButton"), Qt::LeftButton);
                       h.Paint();
                       QTest::mouseClick(&h.Part(1, "applyBtn"), Qt::LeftButton);
                       h.Photo();
                   },
                   FEW},
        ChangeCase{"OnePresetsIntensity",
                   [](ListPreviews&, Harness& h) {
                       QTest::mouseClick(&h.Part<QToolButton>(0, "activateButton"), Qt::LeftButton);
                       h.Paint();
                       QTest::keyClick(&h.Part<QSlider>(0, "intensitySlider"), Qt::Key_PageUp);
                       h.Photo();
                   },
                   1}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });
