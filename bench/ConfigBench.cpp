#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/JsonCodec.h"

#include "bench/BenchData.h"
#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoUtil::JsonCodec;

namespace {

constexpr int kGroups = 20;
constexpr int kItemsPerGroup = 500;
constexpr unsigned kParseFlags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag;

const std::string& ConfigText()
{
    static const std::string text = [] {
        PropertyTree tree;
        WriteConfig(BenchConfig(kGroups, kItemsPerGroup), tree);
        return JsonCodec::Serialize(tree);
    }();
    return text;
}

Config ReadText(const std::string& text)
{
    Config config;
    ReadConfig(config, JsonCodec::Parse(text, "bench"), false);
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
        benchmark::DoNotOptimize(JsonCodec::Parse(text, "bench"));
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
    const PropertyTree tree = JsonCodec::Parse(ConfigText(), "bench");
    for (auto _ : state)
        benchmark::DoNotOptimize(JsonCodec::Serialize(tree));
    SetBytes(state);
}

void BM_WriteConfig(benchmark::State& state)
{
    const Config config = ReadText(ConfigText());
    for (auto _ : state) {
        PropertyTree tree;
        WriteConfig(config, tree);
        benchmark::DoNotOptimize(JsonCodec::Serialize(tree));
    }
    SetBytes(state);
}

// One object of many keys: reading must cost the same whatever their order.
void BM_ParseKeys(benchmark::State& state, bool descending)
{
    constexpr int kKeys = 20'000;
    std::string text = "{";
    for (int i = 0; i < kKeys; ++i) {
        const std::string digits = std::to_string(descending ? kKeys - i : i + 1);
        text += (i ? ", \"key" : "\"key") + std::string(6 - digits.size(), '0') + digits + "\": " + digits;
    }
    text += "}";
    for (auto _ : state)
        benchmark::DoNotOptimize(JsonCodec::Parse(text, "bench"));
    state.SetItemsProcessed(state.iterations() * kKeys);
}

// Reading and writing the configuration cost little more than the bare parser's and
// writer's own work on the same text; reading an object costs the same whatever its keys' order
// (inserting key by key into the sorted map made it 100 x).
const BenchRatio readCost("configuration read / bare JSON parse", "BM_ReadConfig", "BM_RapidJsonParse",
                          BenchRatio::Aim::AtMost, 2.0);
const BenchRatio writeCost("configuration write / bare JSON write", "BM_WriteConfig", "BM_RapidJsonWrite",
                           BenchRatio::Aim::AtMost, 2.0);
const BenchRatio keyOrderCost("object of keys in descending / ascending order", "BM_ParseKeys/descending",
                              "BM_ParseKeys/ascending", BenchRatio::Aim::AtMost, 3.0);

} // namespace

BENCHMARK(BM_RapidJsonParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseToTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadConfig)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidJsonWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeToText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteConfig)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseKeys, ascending, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseKeys, descending, true)->Unit(benchmark::kMillisecond);
