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
using Tavrel::PhotoCore::IStatisticsEventHandler;
using Tavrel::PhotoCore::PackageInfo;
using Tester = QAbstractItemModelTester;

namespace {

// Stands in for the group model: answers the current group's name and records the requests.
class RecordingGroupModel : public QAbstractListModel {
public:
    int rowCount(const QModelIndex&) const override { return 0; }
    QVariant data(const QModelIndex&, int role) const override
    {
        return role == ModelPresetGroup::CurrentGroupNameRole ? QVariant("Warm") : QVariant();
    }
    bool setData(const QModelIndex&, const QVariant& value, int role) override
    {
        requests.emplace_back(role, value);
        return answer;
    }

    std::vector<std::pair<int, QVariant>> requests;
    bool answer = true;
};

class ModelPresetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        presets.push_back(std::make_unique<ItemModelPreset>(ExposureItem("bright"), nullptr, ""));
        presets.push_back(std::make_unique<ItemModelPreset>(PlainItem("grey", "saturation", {{"amount", -100.0}}),
                                                            nullptr, ""));
        PresetConfig::CommonSettings common;
        common.m_statisticsName = "mine";
        EffectsSettings effects;
        effects.Effects() = {Effect("contrast", {{"amount", 20.0}})};
        presets.push_back(std::make_unique<ItemModelPreset>("Mine", nullptr, common, effects, false));

        model = std::make_unique<ModelPreset>(Pointers(), &group, nullptr);
        tester = std::make_unique<Tester>(model.get(), Tester::FailureReportingMode::Warning);
        applier.SetPackageName("looks");
        applier.SetWorkspaceController(controller);
        tracker.SetWorkspaceController(controller);
    }

    std::vector<IItemModelPreset*> Pointers() const
    {
        std::vector<IItemModelPreset*> pointers;
        for (const auto& preset : presets)
            pointers.push_back(preset.get());
        return pointers;
    }

    void InjectServices()
    {
        ASSERT_TRUE(model->setData({}, QVariant::fromValue(&applier), ModelPreset::ApplierRole));
        ASSERT_TRUE(model->setData({}, QVariant::fromValue(&tracker), ModelPreset::EventTrackerRole));
    }

    QModelIndex Row(int row) const { return model->index(row); }
    const auto& Events() const { return controller->statistics.events; }

    using EffectsSettings = Tavrel::PhotoCore::EffectsSettings;

    std::shared_ptr<RecordingWorkspace::Controller> controller = std::make_shared<RecordingWorkspace::Controller>();
    PackageInfo info;
    EffectPresetApplier applier{info, nullptr};
    EffectEventTracker tracker;
    RecordingGroupModel group;
    std::vector<std::unique_ptr<IItemModelPreset>> presets;
    std::unique_ptr<ModelPreset> model;
    std::unique_ptr<Tester> tester;
};

} // namespace

TEST_F(ModelPresetTest, RolesReadThePresetOfTheRow)
{
    EXPECT_EQ(model->data(Row(1), ModelPreset::PresetRole).value<IItemModelPreset*>(), presets[1].get());
    EXPECT_EQ(model->data(Row(0), ModelPreset::IntensityValueRole).toInt(), 50);
    EXPECT_TRUE(model->data(Row(2), ModelPreset::UserPresetRole).toBool());

    EXPECT_FALSE(model->data(QModelIndex(), ModelPreset::IdRole).isValid()) << "per-preset role, no row";
    EXPECT_FALSE(model->data(Row(0), Qt::DisplayRole).isValid());
    EXPECT_FALSE(model->data(Row(0), ModelPreset::DeleteRole).isValid());
    EXPECT_FALSE(model->flags(Row(0)).testFlag(Qt::ItemIsSelectable));
    EXPECT_TRUE(model->flags(Row(0)).testFlag(Qt::ItemIsEnabled));
    EXPECT_EQ(model->rowCount(Row(0)), 0) << "list rows have no children";
}

TEST_F(ModelPresetTest, AppliedRowIsTheFirstPresetWithTheAppliersId)
{
    EXPECT_EQ(model->data({}, ModelPreset::AppliedRowRole).toInt(), 3) << "no applier: the row count";
    InjectServices();
    EXPECT_EQ(model->data({}, ModelPreset::AppliedRowRole).toInt(), 3) << "nothing applied";

    applier.SetId("grey");
    EXPECT_EQ(model->data(Row(0), ModelPreset::AppliedRowRole).toInt(), 1) << "the index is not looked at";

    ModelPreset twice({presets[0].get(), presets[1].get(), presets[1].get()}, &group, nullptr);
    twice.setData({}, QVariant::fromValue(&applier), ModelPreset::ApplierRole);
    EXPECT_EQ(twice.data({}, ModelPreset::AppliedRowRole).toInt(), 1);

    ModelPreset empty({}, &group, nullptr);
    empty.setData({}, QVariant::fromValue(&applier), ModelPreset::ApplierRole);
    EXPECT_EQ(empty.data({}, ModelPreset::AppliedRowRole).toInt(), 0);
}

TEST_F(ModelPresetTest, ServicesAreInjectedThroughQObjectPointersToo)
{
    QWidget widget;
    EffectPreviewGenerator generator(&widget);
    generator.SetPreviewSize({30, 20});
    generator.SetWorkspaceController(controller);
    QObject* asObject = &generator;
    EXPECT_TRUE(model->setData({}, QVariant::fromValue(asObject), ModelPreset::PreviewGeneratorRole));
    EXPECT_EQ(model->data({}, ModelPreset::PreviewSizeRole).toSize(), QSize(30, 20));

    const QPixmap preview = model->data(Row(0), ModelPreset::PreviewRole).value<QPixmap>();
    EXPECT_FALSE(preview.isNull());
    ASSERT_EQ(controller->drawer->requests.size(), 1u);
    EXPECT_FALSE(controller->drawer->requests[0].fromSource) << "no own picture: the open photo is rendered";

    QObject notAnApplier;
    EXPECT_TRUE(model->setData({}, QVariant::fromValue(&notAnApplier), ModelPreset::ApplierRole));
    EXPECT_EQ(model->data({}, ModelPreset::AppliedRowRole).toInt(), 3) << "a foreign object injects nothing";
    EXPECT_FALSE(model->setData({}, QVariant(), ModelPreset::ApplyRole)) << "not a model-wide request";
}

TEST_F(ModelPresetTest, ApplyConfirmResetCallTheApplierThenThePresetThenSignalThenTrack)
{
    InjectServices();
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    std::vector<std::string> order;
    QObject::connect(model.get(), &QAbstractItemModel::dataChanged, model.get(), [&] {
        order.push_back("applied " + std::to_string(controller->drawer->applied.size()) + ", flag " +
                        std::to_string(presets[0]->IsApply()) + ", events " + std::to_string(Events().size()));
    });

    ASSERT_TRUE(model->setData(Row(0), true, ModelPreset::ApplyRole));
    EXPECT_EQ(order.back(), "applied 1, flag 1, events 0");
    ASSERT_TRUE(model->setData(Row(0), QVariant(), ModelPreset::ConfirmRole));
    EXPECT_EQ(order.back(), "applied 2, flag 0, events 1");
    ASSERT_TRUE(model->setData(Row(2), QVariant(), ModelPreset::ResetRole));

    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[2][0].toModelIndex(), Row(2));
    EXPECT_EQ(changed[2][1].toModelIndex(), Row(2));
    ASSERT_EQ(Events().size(), 3u);
    EXPECT_EQ(Events()[0].first, "stat_bright_click");
    EXPECT_EQ(Events()[1].first, "stat_bright_applied");
    EXPECT_EQ(Events()[2].first, "mine_reseted");
    const std::map<std::string, std::string> configured{{IStatisticsEventHandler::KEY_EFFECT_GROUP, "Warm"},
                                                        {IStatisticsEventHandler::KEY_EFFECT_NAME, "bright"}};
    EXPECT_EQ(Events()[0].second, configured);
    EXPECT_EQ(Events()[2].second.at(IStatisticsEventHandler::KEY_EFFECT_NAME), IStatisticsEventHandler::KEY_USER_STYLE);
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

TEST_F(ModelPresetTest, FavouriteDeleteAndRenameAskTheGroupModel)
{
    InjectServices();
    ASSERT_TRUE(model->setData(Row(1), true, ModelPreset::FavouriteRole));
    EXPECT_TRUE(presets[1]->IsFavourite());
    ASSERT_TRUE(model->setData(Row(1), false, ModelPreset::FavouriteRole));
    ASSERT_EQ(group.requests.size(), 2u);
    EXPECT_EQ(group.requests[0].first, ModelPresetGroup::FavouriteChangedRole);
    EXPECT_EQ((group.requests[0].second.value<std::pair<bool, std::string>>()),
              std::make_pair(true, std::string("grey")));
    EXPECT_EQ((group.requests[1].second.value<std::pair<bool, std::string>>()),
              std::make_pair(false, std::string("grey")));
    ASSERT_EQ(Events().size(), 2u);
    EXPECT_EQ(Events()[0].first, IStatisticsEventHandler::NAME_EFFECT_FAVORITES_ADDED);
    EXPECT_EQ(Events()[1].first, IStatisticsEventHandler::NAME_EFFECT_FAVORITES_REMOVED);
    EXPECT_EQ(Events()[1].second.at(IStatisticsEventHandler::KEY_EFFECT_NAME), "grey");

    group.answer = false;
    EXPECT_TRUE(model->setData(Row(2), QVariant(), ModelPreset::DeleteRole)) << "whatever the group answers";
    EXPECT_EQ(group.requests.back().first, ModelPresetGroup::DeletePresetRole);
    EXPECT_EQ(group.requests.back().second.value<std::string>(), presets[2]->GetId());

    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(model->setData(Row(2), "Taken", ModelPreset::RenameRole));
    EXPECT_EQ(changed.count(), 0);
    group.answer = true;
    EXPECT_TRUE(model->setData(Row(2), "Fresh", ModelPreset::RenameRole));
    EXPECT_EQ(changed.count(), 1);
    const auto rename = group.requests.back().second.value<std::pair<QString, std::string>>();
    EXPECT_EQ(rename.first, "Fresh");
    EXPECT_EQ(rename.second, presets[2]->GetId());
}

TEST_F(ModelPresetTest, RowsAreInsertedAtTheTopAndRemovedWithinBounds)
{
    QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
    auto extra = std::make_unique<ItemModelPreset>(ExposureItem("extra"), nullptr, "");

    ASSERT_TRUE(model->setData({}, QVariant::fromValue<IItemModelPreset*>(extra.get()), ModelPreset::InsertPresetRole));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 0);
    EXPECT_EQ(model->data(Row(0), ModelPreset::IdRole).toString(), "extra");
    EXPECT_EQ(model->data(Row(1), ModelPreset::IdRole).toString(), "bright");

    EXPECT_FALSE(model->removeRows(-1, 1));
    EXPECT_FALSE(model->removeRows(model->rowCount(), 1));
    EXPECT_EQ(removed.count(), 0);

    ASSERT_TRUE(model->removeRows(1, 1));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(removed[0][2].toInt(), 1);
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->data(Row(1), ModelPreset::IdRole).toString(), "grey");
    EXPECT_EQ(presets[0]->GetId(), "bright") << "the preset itself stays alive";

    ASSERT_TRUE(model->removeRows(2, 5));
    EXPECT_EQ(removed[1][2].toInt(), 2) << "a count past the end stops at the last row";
    EXPECT_EQ(model->rowCount(), 2);
}
