#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/BaseConfig.h"
#include "Host/EffectSettingsRegistry.h"
#include "Host/SettingsPainterOneInputEffectStub.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <QTemporaryDir>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::TranslatableContext;
using Tavrel::TranslatableString;
using Tavrel::PhotoCore::EffectSettingsRegistry;
using Tavrel::PhotoUtil::BaseConfig;

namespace {

constexpr int kGroups = 50;
constexpr int kItemsPerGroup = 200;
constexpr int kUserPresets = 1000;

const TranslatableContext kContext("bench");
const TranslatableString kAll(kContext, "All");
const TranslatableString kFavourites(kContext, "Favourites");
const TranslatableString kCustom(kContext, "Mine");
const TranslatableString kPopular(kContext, "Popular");

ModelPresetGroup::GroupSlots AllSlots()
{
    return {&kContext, {&kAll, 0}, {&kFavourites, 1}, {&kCustom, 2}, {&kPopular, 3}};
}

// Every class with an "amount", so that any of them can carry a slider.
const char* const kClasses[] = {"exposure", "contrast", "saturation", "temperature", "vignette", "grain",
                                "blackWhiteMix"};

EffectList Effects(int seed, int count)
{
    EffectList effects;
    for (int e = 0; e < count; ++e) {
        auto effect = EffectSettingsRegistry::Create(kClasses[(seed + e) % 7]);
        effect->GetPropertyAccess()->SetProperty("amount", PropertyTree(0.01 * ((seed * 7 + e * 13) % 50)));
        effects.push_back(effect);
    }
    return effects;
}

// Shaped like the shipped configuration: group intensities of each kind, some items with their own
// slider, about a quarter wrapped in a blender, a few popular ones.
const Config& BuiltIn()
{
    static const Config config = [] {
        const IntensityType kinds[] = {IntensityType::CustomAuto, IntensityType::Blend, IntensityType::None};
        Config built;
        for (int g = 0; g < kGroups; ++g) {
            Group group;
            group.m_name = "Group " + std::to_string(g);
            group.m_statisticsName = "group" + std::to_string(g);
            group.m_painterClassId = "SettingsPainterEffectsPackage";
            group.m_intensity.m_type = kinds[g % 3];
            for (int i = 0; i < kItemsPerGroup; ++i) {
                Item item;
                item.m_id = "preset." + std::to_string(g) + "." + std::to_string(i);
                item.m_name = "Preset " + std::to_string(g) + "." + std::to_string(i);
                item.m_isPopular = i % 17 == 0;
                item.m_effects = Effects(g + i, 3);
                // A slider finds its effect by id, so it never goes with a blender around the chain.
                item.m_wrapWithBlender = i % 3 == 0 && i % 4 != 1;
                if (i % 4 == 1) {
                    item.m_intensity.m_type = IntensityType::Custom;
                    item.m_intensity.m_sliderSetting.m_data.m_variables.push_back(
                        {0.0, 0.75, item.m_effects[0]->GetId(), "amount"});
                }
                group.m_items.push_back(std::move(item));
            }
            built.m_groups.push_back(std::move(group));
        }
        return built;
    }();
    return config;
}

const Config& User()
{
    static const Config config = [] {
        Config user;
        Group group;
        for (int i = 0; i < kUserPresets; ++i) {
            Item item;
            item.m_id = "user-" + std::to_string(i);
            item.m_name = "Mine " + std::to_string(i);
            item.m_isUser = true;
            item.m_painterClassId = Tavrel::PhotoCore::SettingsPainterOneInputEffectStub::CLASS_ID;
            item.m_intensity.m_type = IntensityType::CustomAuto;
            item.m_effects = Effects(i, 2);
            item.m_effectsPreview = item.m_effects;
            group.m_items.push_back(std::move(item));
            if (i % 10 == 0)
                user.m_favorites.insert("user-" + std::to_string(i));
        }
        user.m_groups.push_back(std::move(group));
        return user;
    }();
    return config;
}

std::string Json(const Config& config)
{
    PropertyTree tree;
    WriteConfig(config, tree);
    return BaseConfig::ToJson(tree);
}

void ParseJson(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        rapidjson::Document document;
        document.Parse(text.c_str(), text.size());
        benchmark::DoNotOptimize(document.IsObject());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ModelPopulateBuiltIn(benchmark::State& state)
{
    const Config& builtIn = BuiltIn();
    const Config user;
    for (auto _ : state) {
        auto group = std::make_unique<ModelPresetGroup>(AllSlots(), &kContext, "", nullptr);
        group->Populate(builtIn, user);
        benchmark::DoNotOptimize(group->rowCount());
        state.PauseTiming();
        group.reset();
        state.ResumeTiming();
    }
}

void BM_ModelParseBuiltInJson(benchmark::State& state)
{
    ParseJson(state, Json(BuiltIn()));
}

void BM_ModelCollectAndWriteUser(benchmark::State& state)
{
    QTemporaryDir storage;
    BaseConfig::SetStorageFolder(storage.path());
    ModelPresetGroup group(AllSlots(), &kContext, "", nullptr);
    group.Populate(Config(), User());
    for (auto _ : state) {
        Config collected;
        group.CollectUserConfig(collected);
        PropertyTree tree;
        WriteConfig(collected, tree);
        BaseConfig().Write("bench_user", tree);
    }
    BaseConfig::SetStorageFolder({});
}

void BM_ModelParseUserJson(benchmark::State& state)
{
    ParseJson(state, Json(User()));
}

} // namespace

BENCHMARK(BM_ModelPopulateBuiltIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelParseBuiltInJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelCollectAndWriteUser)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelParseUserJson)->Unit(benchmark::kMillisecond);
