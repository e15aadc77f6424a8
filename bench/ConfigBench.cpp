#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoUtil::BaseConfig;

namespace {

constexpr int kGroups = 20;
constexpr int kItemsPerGroup = 500;
constexpr unsigned kParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag;

const std::string& ConfigText()
{
    static const std::string text = [] {
        PropertyTree tree;
        WriteConfig(BenchConfig(kGroups, kItemsPerGroup), tree);
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
