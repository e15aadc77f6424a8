#include "Host/Render/EffectRenderer.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/InvokeEffectHelper.h"
#include "Host/Drawer/PhotoCoreDrawer.h"
#include "Host/Effects/Kinds/SettingsEffectContrast.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"
#include "Host/Effects/Kinds/SettingsEffectSaturation.h"

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>

#include <QImage>

using namespace Tavrel::PhotoCore;

namespace {

// 24 megapixels, 3:2.

template <typename S>
IEffectSettings::Ptr Effect(double amount)
{
    auto effect = EffectSettingsImpl<S>::Create(S());
    InvokeEffectHelper::InvokeSet("amount", *effect, amount);
    return effect;
}

EffectsSettings Chain()
{
    EffectsSettings chain;
    chain.Effects() = {Effect<SettingsEffectExposure>(0.5), Effect<SettingsEffectContrast>(20),
                       Effect<SettingsEffectSaturation>(-30)};
    return chain;
}

void FullSizeRender(benchmark::State& state)
{
    const QImage& photo = BenchPhoto(); // made before timing starts
    const EffectsSettings chain = Chain();
    for (auto _ : state)
        benchmark::DoNotOptimize(EffectRenderer::Render(photo, chain));
}
BENCHMARK(FullSizeRender)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 192x112 tile at pixel ratio 2, split, of the open photo.
void TilePreview(benchmark::State& state)
{
    PhotoCoreDrawer drawer(BenchPhoto());
    const EffectsSettings chain = Chain();
    PreviewPolicy policy;
    policy.pixelRatio = 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(drawer.RenderPreview(chain, FrameSize{384, 224}, policy, -1));
}
BENCHMARK(TilePreview)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
