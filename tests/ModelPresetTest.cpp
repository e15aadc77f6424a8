#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "RecordingWorkspace.h"
#include "TestPresets.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QWidget>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace TestPresets;
using Tavrel::PhotoCore::EffectsSettings;
using Tavrel::PhotoCore::IStatisticsEventHandler;
using Tester = QAbstractItemModelTester;

namespace {

// Stands in for the group model: answers the current group's name.
class GroupStandIn : public QAbstractListModel {
public:
    int rowCount(const QModelIndex&) const override { return 0; }
    QVariant data(const QModelIndex&, int role) const override
    {
        return role == ModelPresetGroup::CurrentGroupNameRole ? QVariant("Warm") : QVariant();
    }
};

// Rows: bright (exposure slider at 50), grey (no slider), the user preset Mine.
class ModelPresetTest : public ::testing::Test, protected RecordingWorkspace::Services {
protected:
    void SetUp() override
    {
        presets.push_back(std::make_unique<ItemModelPreset>(ExposureItem("bright"), nullptr, ""));
        presets.push_back(std::make_unique<ItemModelPreset>(PlainItem("grey", "saturation", {{"amount", -100.0}}),
                                                            nullptr, ""));
        PresetConfig::CommonSettings common;
        common.m_statisticsName = "mine";
        EffectsSettings effects;
        effects.Effects() = {MakeEffect("contrast", {{"amount", 20.0}})};
        presets.push_back(std::make_unique<ItemModelPreset>("Mine", nullptr, common, effects, false));
        model = std::make_unique<ModelPreset>(
            std::vector<IItemModelPreset*>{presets[0].get(), presets[1].get(), presets[2].get()}, &group, nullptr);
        new Tester(model.get(), Tester::FailureReportingMode::Warning, model.get());
    }

    void InjectServices() { ASSERT_TRUE(Inject(*model)); }

    QModelIndex Row(int row) const { return model->index(row); }
    int AppliedRow(const ModelPreset& m) const { return m.data({}, ModelPreset::AppliedRowRole).toInt(); }
    std::vector<Tavrel::PhotoCore::StatisticsRecorder::Event> Events() const { return controller->statistics.Events(); }

    GroupStandIn group;
    std::vector<std::unique_ptr<IItemModelPreset>> presets;
    std::unique_ptr<ModelPreset> model;
};

} // namespace

TEST_F(ModelPresetTest, ServicesAreInjectedThroughQObjectPointersToo)
{
    QWidget widget;
    EffectPreviewGenerator generator(&widget);
    generator.SetPreviewSize({30, 20});
    generator.SetWorkspaceController(controller);
    EXPECT_TRUE(model->setData({}, QVariant::fromValue<QObject*>(&generator), ModelPreset::PreviewGeneratorRole));
    EXPECT_EQ(model->data({}, ModelPreset::PreviewSizeRole).toSize(), QSize(30, 20));
    EXPECT_FALSE(model->data(Row(0), ModelPreset::PreviewRole).value<QPixmap>().isNull());
    ASSERT_EQ(controller->drawer->requests.size(), 1u);
    EXPECT_TRUE(controller->drawer->requests[0].sourceSize.isEmpty()) << "no own picture: the open photo";

    QObject notAnApplier;
    EXPECT_TRUE(model->setData({}, QVariant::fromValue(&notAnApplier), ModelPreset::ApplierRole));
    EXPECT_EQ(AppliedRow(*model), 3) << "a foreign object injects nothing";
    EXPECT_FALSE(model->setData({}, QVariant(), ModelPreset::ApplyRole)) << "not a model-wide request";
}

TEST_F(ModelPresetTest, ApplyConfirmResetReachTheApplierThePresetAndTheStatistics)
{
    InjectServices();
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model->setData(Row(0), true, ModelPreset::ApplyRole));
    EXPECT_EQ(controller->drawer->applied.size(), 1u);
    EXPECT_TRUE(presets[0]->IsApply());
    ASSERT_TRUE(model->setData(Row(0), QVariant(), ModelPreset::ConfirmRole));
    EXPECT_EQ(controller->drawer->applied.size(), 2u) << "the confirmation's empty effect";
    EXPECT_FALSE(presets[0]->IsApply());
    ASSERT_TRUE(model->setData(Row(2), QVariant(), ModelPreset::ResetRole));

    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[2][0].toModelIndex(), Row(2));
    EXPECT_EQ(changed[2][1].toModelIndex(), Row(2));
    EXPECT_EQ(controller->EventNames(),
              (std::vector<std::string>{"stat_bright_click", "stat_bright_applied", "mine_reseted"}));
    const std::map<std::string, std::string> configured{{IStatisticsEventHandler::KEY_EFFECT_GROUP, "Warm"},
                                                        {IStatisticsEventHandler::KEY_EFFECT_NAME, "bright"}};
    EXPECT_EQ(Events()[0].parameters, configured);
    EXPECT_EQ(Events()[2].parameters.at(IStatisticsEventHandler::KEY_EFFECT_NAME),
              IStatisticsEventHandler::KEY_USER_STYLE);
}

TEST_F(ModelPresetTest, IntensityChangeReachesTheApplierOnlyWhenTheValueChanges)
{
    InjectServices();
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(model->setData(Row(0), 50, ModelPreset::IntensityChangeRole)) << "50 is the current value";
    EXPECT_TRUE(model->setData(Row(0), 70, ModelPreset::IntensityChangeRole));
    EXPECT_FALSE(model->setData(Row(0), 70, ModelPreset::IntensityChangeRole));
    EXPECT_EQ(controller->drawer->painted.size(), 1u);
    EXPECT_EQ(presets[0]->GetIntensitySettings().Value(), 70);
    EXPECT_EQ(changed.count(), 0);

    EXPECT_TRUE(model->setData({}, QVariant(), ModelPreset::IntensityChangeEndRole));
    EXPECT_EQ(controller->drawer->commits, 1);
    EXPECT_TRUE(model->setData(Row(1), QVariant(), ModelPreset::IntensityChangeEndRole));
    EXPECT_EQ(controller->drawer->commits, 1) << "the paint was already committed";
}
