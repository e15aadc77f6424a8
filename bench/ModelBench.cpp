#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/Types/BaseConfig.h"
#include "Host/Types/JsonCodec.h"
#include "Host/Effects/SettingsPainterOneInputEffectStub.h"

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <QTemporaryDir>

using namespace Tavrel::Glimmar::GlimmarPresets;
using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::TranslatableContext;
using Tavrel::TranslatableString;
using Tavrel::PhotoUtil::BaseConfig;
using Tavrel::PhotoUtil::JsonCodec;

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

const Config& BuiltIn()
{
    static const Config config = BenchConfig(kGroups, kItemsPerGroup);
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
            item.m_effects = BenchEffects(i, 2);
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
    return JsonCodec::Serialize(tree);
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
