#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/Effects/SettingsPainterOneInputEffectStub.h"
#include "RecordingWorkspace.h"
#include "TestPresets.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace TestPresets;
using Tavrel::TranslatableContext;
using Tavrel::TranslatableString;
using Tavrel::PhotoCore::EffectsSettings;
using Tester = QAbstractItemModelTester;

namespace {

const TranslatableContext groupContext("test_groups");
const TranslatableContext itemContext("test_items");
const TranslatableString allName(groupContext, "All");
const TranslatableString favouritesName(groupContext, "Favourites");
const TranslatableString customName(groupContext, "Mine");
const TranslatableString popularName(groupContext, "Popular");

// Warm (exposure slider; sunny takes the group's intensity, glow its own settings, pop is popular),
// a disabled group, Cold (ice, frost).
PresetConfig::Config BuiltIn()
{
    PresetConfig::Group warm;
    warm.m_name = "Warm";
    warm.m_statisticsName = "warm";
    warm.m_painterClassId = "warmPainter";
    warm.m_intensity = SliderIntensity("exposure", "amount", 0.0, 2.0);
    PresetConfig::Item sunny = ExposureItem("sunny");
    sunny.m_statisticsName.clear();
    sunny.m_intensity = PresetConfig::Intensity(); // Invalid: the group's whole intensity
    PresetConfig::Item glow = PlainItem("glow", "exposure", {{"amount", 0.5}});
    glow.m_statisticsName = "glowStat";
    glow.m_painterClassId = "ownPainter";
    PresetConfig::Item pop = PlainItem("pop", "contrast", {{"amount", 30.0}});
    pop.m_isPopular = true;
    warm.m_items = {sunny, glow, pop};

    PresetConfig::Group hidden;
    hidden.m_name = "Hidden";
    hidden.m_enabled = false;
    hidden.m_items = {PlainItem("secret", "contrast", {{"amount", 1.0}})};
    PresetConfig::Group cold;
    cold.m_name = "Cold";
    cold.m_items = {PlainItem("ice", "temperature", {{"amount", -50.0}}),
                    PlainItem("frost", "saturation", {{"amount", -30.0}})};

    PresetConfig::Config config;
    config.m_groups = {warm, hidden, cold};
    return config;
}

// Positions: all 0, favourites 1, custom 2, popular 3, then the configured groups.
const ModelPresetGroup::GroupSlots fullSlots{
    &groupContext, {&allName, 0}, {&favouritesName, 1}, {&customName, 2}, {&popularName, 3}};

void Watch(QAbstractItemModel* model) { new Tester(model, Tester::FailureReportingMode::Warning, model); }

class ModelPresetGroupTest : public ::testing::Test, protected RecordingWorkspace::Services {
protected:
    enum Position { All, Favourites, Custom, Popular, Warm, Cold };

    void Populate(std::set<std::string> favourites = {}, const ModelPresetGroup::GroupSlots& groupSlots = fullSlots)
    {
        PresetConfig::Config user;
        user.m_favorites = std::move(favourites);
        group = std::make_unique<ModelPresetGroup>(groupSlots, &itemContext, "", nullptr);
        Watch(group.get());
        group->Populate(BuiltIn(), user);
        for (int row = 0; row < group->rowCount(); ++row)
            Watch(ModelAt(row));
    }

    QAbstractListModel* ModelAt(int position) const
    {
        return group->index(position).data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
    }
    QStringList Ids(int position) const
    {
        QStringList ids;
        for (int row = 0; row < ModelAt(position)->rowCount(); ++row)
            ids << ModelAt(position)->index(row).data(ModelPreset::IdRole).toString();
        return ids;
    }
    void Serve(std::initializer_list<int> positions)
    {
        for (const int position : positions)
            Inject(*ModelAt(position));
    }
    IItemModelPreset* PresetAt(int position, int row) const
    {
        return ModelAt(position)->index(row).data(ModelPreset::PresetRole).value<IItemModelPreset*>();
    }
    void SetCurrent(int position) { group->setData({}, position, ModelPresetGroup::CurrentGroupRole); }

    std::unique_ptr<ModelPresetGroup> group;
};

} // namespace

TEST_F(ModelPresetGroupTest, ConfiguredGroupsFollowTheLargestSlotEvenWhenItIsUnused)
{
    Populate({}, {&groupContext, {&allName, 0}, {&favouritesName, 1}, {nullptr, -1}, {&popularName, 2}});
    EXPECT_EQ(group->data({}, ModelPresetGroup::CurrentGroupRole).toInt(), -1);
    ASSERT_EQ(group->rowCount(), 5) << "the disabled group is left out";
    const QStringList names{"All", "Favourites", "Popular", "Warm", "Cold"};
    for (int row = 0; row < names.size(); ++row) {
        EXPECT_EQ(group->index(row).data(Qt::DisplayRole).toString(), names[row]);
        EXPECT_EQ(group->index(row).data(ModelPresetGroup::UntranslatedNameRole).toString(), names[row]);
    }
    EXPECT_EQ(Ids(0), QStringList({"sunny", "glow", "pop", "ice", "frost"}));
    EXPECT_EQ(Ids(2), QStringList({"pop"}));
    EXPECT_TRUE(Ids(1).isEmpty());
    EXPECT_EQ(group->index(1).data(ModelPresetGroup::HintRole).toString(),
              "To add an effect to your favorites, click the heart icon to the right of the effect's name");
    EXPECT_TRUE(group->index(3).data(ModelPresetGroup::HintRole).toString().isEmpty());
    EXPECT_FALSE(group->AddUserPreset("new", "", EffectsSettings(), false)) << "no custom group";

    SetCurrent(4);
    EXPECT_EQ(group->data({}, ModelPresetGroup::CurrentGroupNameRole).toString(), "Cold");
    EXPECT_EQ(group->data({}, ModelPresetGroup::CurrentGroupModelRole).value<QAbstractListModel*>(), ModelAt(4));
}

TEST_F(ModelPresetGroupTest, ItemsTakeMissingSettingsFromTheirGroup)
{
    Populate();
    EXPECT_EQ(group->index(Custom).data(ModelPresetGroup::HintRole).toString(),
              "To add new user preset, click add preset button in manual mode");
    IItemModelPreset* sunny = PresetAt(Warm, 0);
    EXPECT_EQ(sunny->GetStatisticsName(), "warm");
    EXPECT_EQ(sunny->GetPainterClassId(), "warmPainter");
    ASSERT_TRUE(sunny->GetIntensitySettings().IsEnabled()) << "the group's whole intensity, variables included";
    EXPECT_EQ(sunny->GetIntensitySettings().Value(), 50);
    IItemModelPreset* glow = PresetAt(Warm, 1);
    EXPECT_EQ(glow->GetStatisticsName(), "glowStat");
    EXPECT_EQ(glow->GetPainterClassId(), "ownPainter");
    EXPECT_FALSE(glow->GetIntensitySettings().IsEnabled());
    EXPECT_EQ(PresetAt(All, 0), sunny) << "special groups list the same objects";

    sunny->SetIntensity(90);
    EXPECT_TRUE(group->setData({}, QVariant(), ModelPresetGroup::ResetAllRole));
    EXPECT_EQ(sunny->GetIntensitySettings().Value(), 50);
}

TEST_F(ModelPresetGroupTest, FavouritesFollowTheUserConfigurationAndTheFlag)
{
    Populate({"ice", "sunny", "unknown"});
    EXPECT_EQ(Ids(Favourites), QStringList({"sunny", "ice"})) << "entry order, then list order";
    EXPECT_TRUE(PresetAt(Cold, 0)->IsFavourite());
    Serve({Cold, Warm});
    SetCurrent(Cold);

    QSignalSpy removed(ModelAt(Favourites), &QAbstractItemModel::rowsRemoved);
    ASSERT_TRUE(ModelAt(Cold)->setData(ModelAt(Cold)->index(0), false, ModelPreset::FavouriteRole));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(removed[0][2].toInt(), 1);
    EXPECT_EQ(Ids(Favourites), QStringList({"sunny"}));
    EXPECT_FALSE(PresetAt(Cold, 0)->IsFavourite());

    ASSERT_TRUE(ModelAt(Warm)->setData(ModelAt(Warm)->index(1), true, ModelPreset::FavouriteRole));
    Watch(ModelAt(Favourites));
    EXPECT_EQ(Ids(Favourites), QStringList({"sunny", "glow"}));
    EXPECT_EQ(controller->EventNames(),
              (std::vector<std::string>{"effect_favorites_removed", "effect_favorites_added"}));
}

TEST_F(ModelPresetGroupTest, FavouriteSetFromAFavouritesTileOutlivesItsOldModelAndAnnouncesTheNewOne)
{
    Populate({"ice"});
    Serve({Favourites});
    SetCurrent(Favourites);
    QPointer<QAbstractListModel> old = ModelAt(Favourites);
    QSignalSpy changed(group.get(), &QAbstractItemModel::dataChanged);

    ASSERT_TRUE(old->setData(old->index(0), true, ModelPreset::FavouriteRole));
    ASSERT_FALSE(old.isNull()) << "deleted inside its own setData";
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), Favourites);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), Favourites);
    EXPECT_EQ(changed[0][2].value<QVector<int>>(), QVector<int>{ModelPresetGroup::GroupModelRole});
    EXPECT_NE(ModelAt(Favourites), old.data());
    EXPECT_EQ(Ids(Favourites), QStringList({"ice"}));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
}

TEST_F(ModelPresetGroupTest, UserPresetsAreAddedRenamedAndDeletedOnce)
{
    Populate();
    SetCurrent(Custom);
    QSignalSpy activated(group.get(), &ModelPresetGroup::activateGroup);
    QSignalSpy customInserted(ModelAt(Custom), &QAbstractItemModel::rowsInserted);
    QSignalSpy allInserted(ModelAt(All), &QAbstractItemModel::rowsInserted);

    EffectsSettings settings;
    settings.Effects() = {MakeEffect("vignette", {{"amount", 0.4}})};
    EXPECT_FALSE(group->AddUserPreset("sunny", "user", settings, false)) << "a configured preset has the name";
    EXPECT_EQ(customInserted.count(), 0);
    ASSERT_TRUE(group->AddUserPreset("Evening", "user", settings, false));
    ASSERT_EQ(customInserted.count(), 1);
    ASSERT_EQ(allInserted.count(), 1);
    EXPECT_EQ(allInserted[0][1].toInt(), 0);

    IItemModelPreset* evening = PresetAt(Custom, 0);
    EXPECT_EQ(PresetAt(All, 0), evening);
    EXPECT_TRUE(evening->IsUserPreset());
    EXPECT_TRUE(evening->IsApply());
    EXPECT_EQ(evening->GetStatisticsName(), "user");
    EXPECT_EQ(evening->GetIntensitySettings().Value(), 100) << "the custom group's automatic intensity";
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated[0][0].toModelIndex().row(), Custom);
    const std::string id = evening->GetId();

    const auto rename = [&](const QString& name, const std::string& renamed) {
        return group->setData({}, QVariant::fromValue(std::make_pair(name, renamed)), ModelPresetGroup::RenamePresetRole);
    };
    EXPECT_FALSE(rename("glow", id));
    EXPECT_FALSE(rename("Night", "no-such-id"));
    EXPECT_TRUE(rename("Night", id));
    EXPECT_EQ(evening->GetName().getUntranslated(), "Night");
    EXPECT_FALSE(group->AddUserPreset("Night", "user", settings, false)) << "the new name is taken now";
    EXPECT_TRUE(group->AddUserPreset("Evening", "user", settings, false)) << "the old one is free";

    Serve({Custom});
    ASSERT_TRUE(ModelAt(Custom)->setData(ModelAt(Custom)->index(1), true, ModelPreset::FavouriteRole));
    Watch(ModelAt(Favourites));
    ASSERT_EQ(Ids(Favourites), QStringList({QString::fromStdString(id)}));

    QSignalSpy favouritesRemoved(ModelAt(Favourites), &QAbstractItemModel::rowsRemoved);
    QSignalSpy customRemoved(ModelAt(Custom), &QAbstractItemModel::rowsRemoved);
    QSignalSpy allRemoved(ModelAt(All), &QAbstractItemModel::rowsRemoved);
    const std::weak_ptr<const Tavrel::PhotoCore::IEffectSettings> effect = evening->GetEffectInfo().at(0);
    const long holders = effect.use_count();
    settings.Effects().clear();
    ASSERT_TRUE(ModelAt(Custom)->setData(ModelAt(Custom)->index(1), QVariant(), ModelPreset::DeleteRole));

    EXPECT_EQ(favouritesRemoved.count(), 1);
    EXPECT_EQ(customRemoved.count(), 1);
    ASSERT_EQ(allRemoved.count(), 1);
    EXPECT_EQ(allRemoved[0][1].toInt(), 1);
    EXPECT_EQ(Ids(Custom).size(), 1);
    EXPECT_FALSE(Ids(All).contains(QString::fromStdString(id)));
    EXPECT_LT(effect.use_count(), holders - 1) << "the preset and its effect lists are gone";

    PresetConfig::Config collected;
    group->CollectUserConfig(collected);
    ASSERT_EQ(collected.m_groups.size(), 1u);
    ASSERT_EQ(collected.m_groups[0].m_items.size(), 1u);
    const PresetConfig::Item& saved = collected.m_groups[0].m_items[0];
    EXPECT_EQ(std::tie(saved.m_name, saved.m_statisticsName), std::tie("Evening", "user"));
    EXPECT_TRUE(saved.m_isUser);
    EXPECT_FALSE(saved.m_wrapWithBlender);
    EXPECT_EQ(saved.m_intensity.m_type, PresetConfig::IntensityType::CustomAuto);
    EXPECT_EQ(saved.m_painterClassId, Tavrel::PhotoCore::SettingsPainterOneInputEffectStub::CLASS_ID);
    ASSERT_EQ(saved.m_effects.size(), 1u);
    EXPECT_EQ(saved.m_effects[0]->GetClassId(), "vignette");
    EXPECT_TRUE(collected.m_favorites.empty());
}

TEST_F(ModelPresetGroupTest, ConfirmAndResetReachTheApplierOnceThoughTwoModelsHoldTheRow)
{
    Populate();
    Serve({All, Warm});
    SetCurrent(Warm);
    const auto& applied = controller->drawer->applied;

    EXPECT_TRUE(group->setData({}, QVariant(), ModelPresetGroup::ConfirmAppliedRole));
    EXPECT_TRUE(applied.empty()) << "nothing applied, nothing confirmed";

    ASSERT_TRUE(ModelAt(Warm)->setData(ModelAt(Warm)->index(0), true, ModelPreset::ApplyRole));
    EXPECT_TRUE(group->setData({}, QVariant(), ModelPresetGroup::ConfirmAppliedRole));
    EXPECT_EQ(applied.size(), 2u) << "one apply, one confirm, though two models hold the row";
    EXPECT_FALSE(PresetAt(Warm, 0)->IsApply());
    EXPECT_TRUE(applier.GetId().empty());

    controller->drawer->packagePositions["looks"] = 0;
    ASSERT_TRUE(ModelAt(Warm)->setData(ModelAt(Warm)->index(2), true, ModelPreset::ApplyRole));
    EXPECT_TRUE(group->setData({}, QVariant(), ModelPresetGroup::ResetAppliedRole));
    EXPECT_EQ(controller->drawer->restored, std::vector<int>{0});
    EXPECT_FALSE(PresetAt(Warm, 2)->IsApply());
    const auto events = controller->EventNames();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[1], "warm_applied");
    EXPECT_EQ(events[3], "warm_reseted");
}

TEST_F(ModelPresetGroupTest, ActivationMarksThePresetAndSelectsItsGroup)
{
    Populate();
    SetCurrent(Cold);
    PresetAt(Cold, 0)->SetApply(true);
    // The list makes the activated group current, as its handler does.
    QObject::connect(group.get(), &ModelPresetGroup::activateGroup, group.get(),
                     [this](const QModelIndex& index) { SetCurrent(index.row()); });
    QSignalSpy activated(group.get(), &ModelPresetGroup::activateGroup);
    QSignalSpy warmChanged(ModelAt(Warm), &QAbstractItemModel::dataChanged);

    EffectsSettings settings;
    settings.Effects() = {MakeEffect("exposure", {{"amount", 2.0}})};
    settings.Package().presetGroupIndex = Warm;
    const std::string sunny = "sunny";
    ModelPresetGroup::PresetParam param{&sunny, &settings};
    ASSERT_TRUE(group->setData({}, QVariant::fromValue(param), ModelPresetGroup::ActivatePresetRole));

    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated[0][0].toModelIndex(), group->index(Warm));
    EXPECT_TRUE(PresetAt(Warm, 0)->IsApply());
    EXPECT_FALSE(PresetAt(Cold, 0)->IsApply());
    EXPECT_EQ(PresetAt(Warm, 0)->GetIntensitySettings().Value(), 100) << "intensity read from the settings";
    ASSERT_EQ(warmChanged.count(), 1) << "refreshed once it is the current group";
    EXPECT_EQ(warmChanged[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(warmChanged[0][1].toModelIndex().row(), 2);

    const std::string missing = "SUNNY";
    param.id = &missing;
    QSignalSpy coldChanged(ModelAt(Cold), &QAbstractItemModel::dataChanged);
    settings.Package().presetGroupIndex = Cold;
    ASSERT_TRUE(group->setData({}, QVariant::fromValue(param), ModelPresetGroup::ActivatePresetRole));
    EXPECT_EQ(activated.count(), 1) << "ids match exactly";
    EXPECT_EQ(coldChanged.count(), 1) << "not found: the target is refreshed";
    EXPECT_FALSE(PresetAt(Warm, 0)->IsApply());
}
