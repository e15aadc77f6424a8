#include "Host/Render/EffectRenderer.h"

#include "Host/Render/ColourLut.h"
#include "Host/Render/ColourMatrix.h"
#include "Host/Render/GrainNoise.h"
#include "Host/Render/ImageMixer.h"
#include "Host/Render/RadialFalloff.h"
#include "Host/Render/RenderCanvas.h"
#include "Host/Render/TextureBlend.h"
#include "Host/Render/TextureCache.h"
#include "Host/Resources/ResourceManager.h"
#include "Host/Effects/Kinds/SettingsEffectBlackWhiteMix.h"
#include "Host/Effects/Kinds/SettingsEffectContrast.h"
#include "Host/Effects/SettingsEffectEmpty.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"
#include "Host/Effects/Kinds/SettingsEffectGrain.h"
#include "Host/Effects/Kinds/SettingsEffectHueShift.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Effects/Kinds/SettingsEffectSaturation.h"
#include "Host/Effects/Kinds/SettingsEffectTemperature.h"
#include "Host/Effects/Kinds/SettingsEffectTexture.h"
#include "Host/Effects/Kinds/SettingsEffectVignette.h"

#include <cmath>
#include <map>
#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

// Rec. 601 luma weights: the grey that saturation moves towards.
constexpr double LUMA_RED = 0.299;
constexpr double LUMA_GREEN = 0.587;
constexpr double LUMA_BLUE = 0.114;
constexpr double GAMMA = 2.2;
constexpr double PI = 3.14159265358979323846;

void ApplyLut(RenderCanvas& canvas, const ColourLut& lut)
{
    canvas.Change([&lut](const QImage& source, QImage& target) { lut.Apply(source, target); });
}

void ApplyLut(RenderCanvas& canvas, const ColourLut::Table& table)
{
    ApplyLut(canvas, ColourLut(table, table, table));
}

void ApplyMatrix(RenderCanvas& canvas, const ColourMatrix::Rows& rows)
{
    const ColourMatrix matrix(rows);
    if (!matrix.IsIdentity())
        canvas.Change([&matrix](const QImage& source, QImage& target) { matrix.Apply(source, target); });
}

ColourMatrix::Rows GreyRows(double red, double green, double blue)
{
    return {{{red, green, blue}, {red, green, blue}, {red, green, blue}}};
}

void Exposure(RenderCanvas& canvas, const SettingsEffectExposure& settings)
{
    const double stops = settings.Number(SettingsEffectExposure::AMOUNT);
    if (stops == 0.0)
        return;
    // Scaled in linear light, so highlights roll off instead of shifting evenly.
    const double gain = std::exp2(stops);
    ApplyLut(canvas, ColourLut::Tabulate([gain](double level) {
        return 255.0 * std::pow(std::min(1.0, std::pow(level / 255.0, GAMMA) * gain), 1.0 / GAMMA);
    }));
}

void Contrast(RenderCanvas& canvas, const SettingsEffectContrast& settings)
{
    const double amount = std::clamp(settings.Number(SettingsEffectContrast::AMOUNT), -100.0, 100.0) / 100.0;
    if (amount == 0.0)
        return;
    // -100 flattens to mid-grey, +100 spreads tones three times as far apart.
    const double slope = amount < 0.0 ? 1.0 + amount : 1.0 + 2.0 * amount;
    ApplyLut(canvas, ColourLut::Tabulate([slope](double level) { return (level - 127.5) * slope + 127.5; }));
}

void Temperature(RenderCanvas& canvas, const SettingsEffectTemperature& settings)
{
    const double amount = std::clamp(settings.Number(SettingsEffectTemperature::AMOUNT), -100.0, 100.0) / 100.0;
    if (amount == 0.0)
        return;
    const double shift = 0.2 * amount;
    ApplyLut(canvas, ColourLut(ColourLut::Tabulate([shift](double level) { return level * (1.0 + shift); }),
                               ColourLut::Tabulate([shift](double level) { return level * (1.0 + 0.2 * shift); }),
                               ColourLut::Tabulate([shift](double level) { return level * (1.0 - shift); })));
}

void Saturation(RenderCanvas& canvas, const SettingsEffectSaturation& settings)
{
    const double amount = std::clamp(settings.Number(SettingsEffectSaturation::AMOUNT), -100.0, 100.0) / 100.0;
    // Moving away from grey is mixing towards it by a negative amount.
    ApplyMatrix(canvas, ColourMatrix::Mix(GreyRows(LUMA_RED, LUMA_GREEN, LUMA_BLUE), -amount));
}

void HueShift(RenderCanvas& canvas, const SettingsEffectHueShift& settings)
{
    const double angle = settings.Number(SettingsEffectHueShift::HUE) * PI / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle) / std::sqrt(3.0);
    const double t = (1.0 - c) / 3.0;
    // Rotation about the grey axis of the colour cube.
    const ColourMatrix::Rows rotation{{{c + t, t - s, t + s}, {t + s, c + t, t - s}, {t - s, t + s, c + t}}};
    const double strength = std::clamp(settings.Number(SettingsEffectHueShift::STRENGTH), 0.0, 1.0);
    ApplyMatrix(canvas, ColourMatrix::Mix(rotation, strength));
}

void BlackWhiteMix(RenderCanvas& canvas, const SettingsEffectBlackWhiteMix& settings)
{
    const auto grey = GreyRows(settings.Number(SettingsEffectBlackWhiteMix::RED),
                               settings.Number(SettingsEffectBlackWhiteMix::GREEN),
                               settings.Number(SettingsEffectBlackWhiteMix::BLUE));
    const double amount = std::clamp(settings.Number(SettingsEffectBlackWhiteMix::AMOUNT), 0.0, 1.0);
    ApplyMatrix(canvas, ColourMatrix::Mix(grey, amount));
}

void Vignette(RenderCanvas& canvas, const SettingsEffectVignette& settings)
{
    const double amount = settings.Number(SettingsEffectVignette::AMOUNT);
    if (amount <= 0.0)
        return;
    const RadialFalloff falloff(amount, settings.Number(SettingsEffectVignette::RADIUS) / 100.0);
    canvas.Change([&falloff](const QImage& source, QImage& target) { falloff.Apply(source, target); });
}

void Grain(RenderCanvas& canvas, const SettingsEffectGrain& settings)
{
    const auto size = std::clamp<std::int64_t>(settings.Integer(SettingsEffectGrain::SIZE), 1, 1 << 16);
    const GrainNoise grain(settings.Number(SettingsEffectGrain::AMOUNT), static_cast<int>(size),
                           static_cast<std::uint32_t>(settings.Integer(SettingsEffectGrain::SEED)));
    if (!grain.IsIdentity())
        canvas.Change([&grain](const QImage& source, QImage& target) { grain.Apply(source, target); });
}

void Texture(RenderCanvas& canvas, const SettingsEffectTexture& settings)
{
    const double amount = settings.Number(SettingsEffectTexture::AMOUNT);
    if (amount <= 0.0)
        return;
    // Not fetched yet, or failed: the photo stays as it is.
    const std::string name = settings.Text(SettingsEffectTexture::TEXTURE);
    const QImage texture = name.empty() ? QImage()
                                        : TextureCache::Get(ResourceManager::CachedPath(
                                            ResourceId{SettingsEffectTexture::RESOURCE_TYPE, name}));
    if (texture.isNull())
        return;
    // Tiles scale with the photo, so that a preview looks like the photo it stands for.
    const QSize size = canvas.Image().size();
    const double scale = std::max(settings.Number(SettingsEffectTexture::SCALE), 0.0);
    const TextureBlend blend(texture, static_cast<int>(std::lround(scale * std::max(size.width(), size.height()))),
                             amount,
                             settings.Flag(SettingsEffectTexture::SCREEN) ? TextureBlend::Mode::Screen
                                                                           : TextureBlend::Mode::SoftLight);
    canvas.Change([&blend](const QImage& source, QImage& target) { blend.Apply(source, target); });
}

void Apply(RenderCanvas& canvas, const IEffectSettings& effect);

// False when cancelled answered true before an effect.
bool ApplyAll(RenderCanvas& canvas, const IEffectSettings::ConstList& effects,
              const std::function<bool()>& cancelled = {})
{
    for (const auto& effect : effects) {
        if (cancelled && cancelled())
            return false;
        if (effect)
            Apply(canvas, *effect);
    }
    return true;
}

void MixWithInput(RenderCanvas& canvas, const QImage& input, int level)
{
    // A canvas still showing the input mixes to the input whatever the level.
    if (level <= 0 || canvas.Image().constBits() == input.constBits())
        return;
    if (level >= 255) {
        canvas.Replace(input);
        return;
    }
    canvas.Change([&input, level](const QImage& source, QImage& target) {
        ImageMixer::Mix(source, input, level, target);
    });
}

void MaskBlender(RenderCanvas& canvas, const SettingsEffectMaskBlender& blender)
{
    if (!blender.GetFillMask() || !blender.GetRenderInner())
        return;
    const QImage input = canvas.Image();
    ApplyAll(canvas, blender.GetEffects());
    MixWithInput(canvas, input, blender.GetLevel());
}

template <typename S, void (*Paint)(RenderCanvas&, const S&)>
void Dispatch(RenderCanvas& canvas, const ISettingsEffect& settings)
{
    Paint(canvas, static_cast<const S&>(settings));
}

using Painter = void (*)(RenderCanvas&, const ISettingsEffect&);

template <typename S, void (*Paint)(RenderCanvas&, const S&)>
std::pair<const std::string, Painter> Entry()
{
    return {S::CLASS_ID, &Dispatch<S, Paint>};
}

void Nothing(RenderCanvas&, const SettingsEffectEmpty&) {}

void Apply(RenderCanvas& canvas, const IEffectSettings& effect)
{
    static const std::map<std::string, Painter> painters{
        Entry<SettingsEffectEmpty, Nothing>(),
        Entry<SettingsEffectMaskBlender, MaskBlender>(),
        Entry<SettingsEffectExposure, Exposure>(),
        Entry<SettingsEffectContrast, Contrast>(),
        Entry<SettingsEffectSaturation, Saturation>(),
        Entry<SettingsEffectHueShift, HueShift>(),
        Entry<SettingsEffectTemperature, Temperature>(),
        Entry<SettingsEffectVignette, Vignette>(),
        Entry<SettingsEffectGrain, Grain>(),
        Entry<SettingsEffectBlackWhiteMix, BlackWhiteMix>(),
        Entry<SettingsEffectTexture, Texture>(),
    };
    const ISettingsEffect& settings = effect.GetEffectSettings();
    const auto it = painters.find(settings.GetClassId());
    if (it == painters.end())
        throw std::invalid_argument("no renderer for effect class \"" + settings.GetClassId() + "\"");
    it->second(canvas, settings);
}

QImage Opaque(const QImage& input)
{
    return input.format() == QImage::Format_RGB32 ? input : input.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage EffectRenderer::Render(const QImage& input, const EffectsSettings& settings)
{
    return *Render(input, settings, RenderOptions());
}

std::optional<QImage> EffectRenderer::Render(const QImage& input, const EffectsSettings& settings,
                                             const RenderOptions& options)
{
    const QImage source = Opaque(input);
    RenderCanvas canvas(source);
    if (!ApplyAll(canvas, settings.EffectsConst(), options.cancelled))
        return std::nullopt;
    MixWithInput(canvas, source, settings.Package().blendLevel);
    return canvas.Image();
}

QImage EffectRenderer::Render(const QImage& input, const IEffectSettings& effect)
{
    RenderCanvas canvas(Opaque(input));
    Apply(canvas, effect);
    return canvas.Image();
}

} // namespace Tavrel::PhotoCore
