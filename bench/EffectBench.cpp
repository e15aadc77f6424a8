#include "Host/Render/EffectRenderer.h"
#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include "bench/BenchData.h"
#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstring>
#include <vector>

using namespace Tavrel;
using namespace Tavrel::PhotoCore;

namespace {

// A 24-megapixel photo with varied colours, made once.

std::int64_t PhotoBytes()
{
    return static_cast<std::int64_t>(BenchPhoto().sizeInBytes());
}

IEffectSettings::Ptr Effect(const std::string& classId, const PropertyTree::Map& parameters)
{
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap() = parameters;
    tree.getMap()["class"] = PropertyTree(classId);
    return EffectSettings::DeserializePtr(tree);
}

IEffectSettings::Ptr Effect(const std::string& classId, const char* parameter, const PropertyTree& value)
{
    return Effect(classId, {{parameter, value}});
}

void Render(benchmark::State& state, const IEffectSettings::Ptr& effect)
{
    const QImage& photo = BenchPhoto();
    for (auto _ : state) {
        QImage result = EffectRenderer::Render(photo, *effect);
        benchmark::DoNotOptimize(result.constBits());
    }
    state.SetBytesProcessed(state.iterations() * PhotoBytes());
}

void BM_Memcpy(benchmark::State& state)
{
    const QImage& photo = BenchPhoto();
    std::vector<unsigned char> target(static_cast<std::size_t>(PhotoBytes()));
    for (auto _ : state) {
        std::memcpy(target.data(), photo.constBits(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * PhotoBytes());
}

void BM_Exposure(benchmark::State& state) { Render(state, Effect("exposure", "amount", PropertyTree(0.7))); }
void BM_Contrast(benchmark::State& state) { Render(state, Effect("contrast", "amount", PropertyTree(30.0))); }
void BM_Temperature(benchmark::State& state) { Render(state, Effect("temperature", "amount", PropertyTree(40.0))); }
void BM_Saturation(benchmark::State& state) { Render(state, Effect("saturation", "amount", PropertyTree(-40.0))); }
void BM_HueShift(benchmark::State& state) { Render(state, Effect("hueShift", "hue", PropertyTree(45.0))); }
void BM_BlackWhiteMix(benchmark::State& state) { Render(state, Effect("blackWhiteMix", "amount", PropertyTree(0.8))); }
void BM_Vignette(benchmark::State& state) { Render(state, Effect("vignette", "amount", PropertyTree(0.6))); }
void BM_Grain(benchmark::State& state) { Render(state, Effect("grain", "amount", PropertyTree(0.4))); }
void BM_GrainCells(benchmark::State& state) { Render(state, Effect("grain", {{"amount", PropertyTree(0.4)}, {"size", PropertyTree(3)}})); }

void BM_MaskBlender(benchmark::State& state)
{
    auto blender = EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>::Create(
        SettingsEffectMaskBlender());
    blender->Settings().SetEffectsImpl({Effect("exposure", "amount", PropertyTree(0.7))}, true);
    blender->Settings().SetLevel(100);
    blender->Settings().SetFillMask(true);
    blender->Settings().SetRenderInner(true);
    Render(state, blender);
}

// The commonest shape of the sample presets: a curve, a curve, a matrix.
IEffectSettings::List PresetChain()
{
    return {Effect("exposure", "amount", PropertyTree(0.45)), Effect("contrast", "amount", PropertyTree(35.0)),
            Effect("saturation", "amount", PropertyTree(21.0))};
}

void Render(benchmark::State& state, const IEffectSettings::List& effects)
{
    const QImage& photo = BenchPhoto();
    EffectsSettings settings;
    settings.Effects() = effects;
    const EffectRenderer::RenderOptions options{{}, static_cast<int>(state.range(0))};
    for (auto _ : state)
        benchmark::DoNotOptimize(EffectRenderer::Render(photo, settings, options)->constBits());
    state.SetBytesProcessed(state.iterations() * PhotoBytes());
}

void BM_PresetChain(benchmark::State& state) { Render(state, PresetChain()); }
// Spelt out as lists: a braced single pointer would pick the one-effect overload, which
// renders on every core whatever the threads argument says.
void BM_PresetChainExposure(benchmark::State& state) { Render(state, IEffectSettings::List{PresetChain()[0]}); }
void BM_PresetChainContrast(benchmark::State& state) { Render(state, IEffectSettings::List{PresetChain()[1]}); }
void BM_PresetChainSaturation(benchmark::State& state) { Render(state, IEffectSettings::List{PresetChain()[2]}); }

// The whole chain costs little more than its dearest effect alone (a curve: three table
// lookups a pixel): the curves become one table, and the table runs with the matrix after
// it in one pass of three table-row lookups a pixel. Cores share the work.
const BenchRatio chainCost("preset chain / its dearest effect, one thread", "BM_PresetChain/threads:1",
                           "BM_PresetChainContrast/threads:1", BenchRatio::Aim::AtMost, 1.5);
const BenchRatio chainSpeedUp("preset chain, one thread / all cores", "BM_PresetChain/threads:1",
                              "BM_PresetChain/threads:0", BenchRatio::Aim::AtLeast, 1.7);

} // namespace

BENCHMARK(BM_PresetChain)->ArgName("threads")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresetChainExposure)->ArgName("threads")->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresetChainContrast)->ArgName("threads")->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresetChainSaturation)->ArgName("threads")->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exposure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Contrast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Temperature)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Saturation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HueShift)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlackWhiteMix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vignette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrainCells)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskBlender)->Unit(benchmark::kMillisecond);
