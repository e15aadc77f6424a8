#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/BaseConfig.h"
#include "Host/EffectSettingsRegistry.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoCore::EffectSettingsRegistry;
using Tavrel::PhotoUtil::BaseConfig;

namespace {

constexpr int kGroups = 20;
constexpr int kItemsPerGroup = 500;
constexpr unsigned kParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag;

// Presets shaped like the shipped ones: a few effects with their parameters,
// an intensity of their own for some, and a handful of flags.
const std::string& ConfigText()
{
    static const std::string text = [] {
        const char* const classes[] = {"exposure", "contrast", "saturation", "hueShift",
                                       "temperature", "vignette", "grain", "blackWhiteMix"};
        Config config;
        for (int g = 0; g < kGroups; ++g) {
            Group group;
            group.m_name = "Group " + std::to_string(g);
            group.m_statisticsName = "group" + std::to_string(g);
            group.m_painterClassId = "SettingsPainterEffectsPackage";
            group.m_intensity.m_type = IntensityType::CustomAuto;
            for (int i = 0; i < kItemsPerGroup; ++i) {
                Item item;
                item.m_id = "preset." + std::to_string(g) + "." + std::to_string(i);
                item.m_name = "Preset " + std::to_string(i);
                item.m_isPopular = i % 17 == 0;
                item.m_wrapWithBlender = i % 3 == 0;
                for (int e = 0; e < 3; ++e) {
                    auto effect = EffectSettingsRegistry::Create(classes[(g + i + e) % 8]);
                    auto access = effect->GetPropertyAccess();
                    for (const std::string& name : access->GetPropertyNames()) {
                        const PropertyTree value = access->GetProperty(name);
                        if (value.getScalar().isDouble())
                            access->SetProperty(name, PropertyTree(0.01 * ((i * 7 + e * 13) % 100) - 0.3));
                    }
                    item.m_effects.push_back(effect);
                }
                if (i % 4 == 1) {
                    item.m_intensity.m_type = IntensityType::Custom;
                    item.m_intensity.m_sliderSetting.m_data.m_variables.push_back(
                        {0.0, 0.75, item.m_effects[0]->GetId(), "amount"});
                }
                group.m_items.push_back(std::move(item));
            }
            config.m_groups.push_back(std::move(group));
        }
        PropertyTree tree;
        WriteConfig(config, tree);
        return BaseConfig::ToJson(tree);
    }();
    return text;
}

Config ReadText(const std::string& text)
{
    Config config;
    ReadConfig(config, BaseConfig::ParseJson(text, "bench"), false);
    return config;
}

void SetBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ConfigText().size()));
}

void BM_RapidJsonParse(benchmark::State& state)
{
    const std::string& text = ConfigText();
    for (auto _ : state) {
        rapidjson::Document document;
        document.Parse<kParseFlags>(text.c_str(), text.size());
        benchmark::DoNotOptimize(document.IsObject());
    }
    SetBytes(state);
}

void BM_ParseToTree(benchmark::State& state)
{
    const std::string& text = ConfigText();
    for (auto _ : state)
        benchmark::DoNotOptimize(BaseConfig::ParseJson(text, "bench"));
    SetBytes(state);
}

void BM_ReadConfig(benchmark::State& state)
{
    const std::string& text = ConfigText();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadText(text));
    SetBytes(state);
}

void BM_RapidJsonWrite(benchmark::State& state)
{
    rapidjson::Document document;
    document.Parse<kParseFlags>(ConfigText().c_str());
    for (auto _ : state) {
        rapidjson::StringBuffer buffer;
        rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
        writer.SetIndent(' ', 2);
        document.Accept(writer);
        benchmark::DoNotOptimize(std::string(buffer.GetString(), buffer.GetSize()));
    }
    SetBytes(state);
}

void BM_TreeToText(benchmark::State& state)
{
    const PropertyTree tree = BaseConfig::ParseJson(ConfigText(), "bench");
    for (auto _ : state)
        benchmark::DoNotOptimize(BaseConfig::ToJson(tree));
    SetBytes(state);
}

void BM_WriteConfig(benchmark::State& state)
{
    const Config config = ReadText(ConfigText());
    for (auto _ : state) {
        PropertyTree tree;
        WriteConfig(config, tree);
        benchmark::DoNotOptimize(BaseConfig::ToJson(tree));
    }
    SetBytes(state);
}

} // namespace

// Aims: BM_ReadConfig <= 3 x BM_RapidJsonParse, BM_WriteConfig <= 2 x BM_RapidJsonWrite.
BENCHMARK(BM_RapidJsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseToTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadConfig)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidJsonWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeToText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteConfig)->Unit(benchmark::kMillisecond);
