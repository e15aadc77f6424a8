#include "Host/Render/RenderPlan.h"

#include "Host/Effects/Kinds/SettingsEffectBlackWhiteMix.h"
#include "Host/Effects/Kinds/SettingsEffectContrast.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"
#include "Host/Effects/Kinds/SettingsEffectGrain.h"
#include "Host/Effects/Kinds/SettingsEffectHueShift.h"
#include "Host/Effects/Kinds/SettingsEffectSaturation.h"
#include "Host/Effects/Kinds/SettingsEffectTemperature.h"
#include "Host/Effects/Kinds/SettingsEffectTexture.h"
#include "Host/Effects/Kinds/SettingsEffectVignette.h"
#include "Host/Effects/SettingsEffectEmpty.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Render/ColourLut.h"
#include "Host/Render/ColourLutMatrix.h"
#include "Host/Render/ColourMatrix.h"
#include "Host/Render/GrainNoise.h"
#include "Host/Render/ImageMixer.h"
#include "Host/Render/RadialFalloff.h"
#include "Host/Render/TextureBlend.h"
#include "Host/Render/TextureCache.h"
#include "Host/Resources/ResourceManager.h"

#include <boost/math/constants/constants.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <variant>

namespace Tavrel::PhotoCore {
namespace {

// Rec. 601 luma weights: the grey that saturation moves towards.
constexpr double LUMA_RED = 0.299;
constexpr double LUMA_GREEN = 0.587;
constexpr double LUMA_BLUE = 0.114;
constexpr double GAMMA = 2.2;

/// Keeps the band's rows as they are now, for the Mix that ends this section.
struct Save {};
struct Mix {
    int level;
};
using Step = std::variant<ColourLut, ColourMatrix, ColourLutMatrix, RadialFalloff, GrainNoise, TextureBlend, Save, Mix>;
using Steps = std::optional<Step>;

ColourMatrix::Rows GreyRows(double red, double green, double blue)
{
    return {{{red, green, blue}, {red, green, blue}, {red, green, blue}}};
}

Steps Curve(const ColourLut::Table& table)
{
    return ColourLut(table, table, table);
}

Steps Exposure(const SettingsEffectExposure& settings, const QSize&)
{
    const double stops = settings.Number(SettingsEffectExposure::AMOUNT);
    // Scaled in linear light, so highlights roll off instead of shifting evenly.
    const double gain = std::exp2(stops);
    return Curve(ColourLut::Tabulate([gain](double level) {
        return 255.0 * std::pow(std::min(1.0, std::pow(level / 255.0, GAMMA) * gain), 1.0 / GAMMA);
    }));
}

Steps Contrast(const SettingsEffectContrast& settings, const QSize&)
{
    const double amount = std::clamp(settings.Number(SettingsEffectContrast::AMOUNT), -100.0, 100.0) / 100.0;
    // -100 flattens to mid-grey, +100 spreads tones three times as far apart.
    const double slope = amount < 0.0 ? 1.0 + amount : 1.0 + 2.0 * amount;
    return Curve(ColourLut::Tabulate([slope](double level) { return (level - 127.5) * slope + 127.5; }));
}

Steps Temperature(const SettingsEffectTemperature& settings, const QSize&)
{
    const double amount = std::clamp(settings.Number(SettingsEffectTemperature::AMOUNT), -100.0, 100.0) / 100.0;
    const double shift = 0.2 * amount;
    return ColourLut(ColourLut::Tabulate([shift](double level) { return level * (1.0 + shift); }),
                     ColourLut::Tabulate([shift](double level) { return level * (1.0 + 0.2 * shift); }),
                     ColourLut::Tabulate([shift](double level) { return level * (1.0 - shift); }));
}

Steps Saturation(const SettingsEffectSaturation& settings, const QSize&)
{
    const double amount = std::clamp(settings.Number(SettingsEffectSaturation::AMOUNT), -100.0, 100.0) / 100.0;
    // Moving away from grey is mixing towards it by a negative amount.
    return ColourMatrix(ColourMatrix::Mix(GreyRows(LUMA_RED, LUMA_GREEN, LUMA_BLUE), -amount));
}

Steps HueShift(const SettingsEffectHueShift& settings, const QSize&)
{
    const double angle = settings.Number(SettingsEffectHueShift::HUE) * boost::math::double_constants::pi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle) / std::sqrt(3.0);
    const double t = (1.0 - c) / 3.0;
    // Rotation about the grey axis of the colour cube.
    const ColourMatrix::Rows rotation{{{c + t, t - s, t + s}, {t + s, c + t, t - s}, {t - s, t + s, c + t}}};
    const double strength = std::clamp(settings.Number(SettingsEffectHueShift::STRENGTH), 0.0, 1.0);
    return ColourMatrix(ColourMatrix::Mix(rotation, strength));
}

Steps BlackWhiteMix(const SettingsEffectBlackWhiteMix& settings, const QSize&)
{
    const auto grey = GreyRows(settings.Number(SettingsEffectBlackWhiteMix::RED),
                               settings.Number(SettingsEffectBlackWhiteMix::GREEN),
                               settings.Number(SettingsEffectBlackWhiteMix::BLUE));
    const double amount = std::clamp(settings.Number(SettingsEffectBlackWhiteMix::AMOUNT), 0.0, 1.0);
    return ColourMatrix(ColourMatrix::Mix(grey, amount));
}

Steps Vignette(const SettingsEffectVignette& settings, const QSize& size)
{
    const double amount = settings.Number(SettingsEffectVignette::AMOUNT);
    if (amount <= 0.0)
        return std::nullopt;
    return RadialFalloff(amount, settings.Number(SettingsEffectVignette::RADIUS) / 100.0, size);
}

Steps Grain(const SettingsEffectGrain& settings, const QSize&)
{
    const auto size = std::clamp<std::int64_t>(settings.Integer(SettingsEffectGrain::SIZE), 1, 1 << 16);
    const GrainNoise grain(settings.Number(SettingsEffectGrain::AMOUNT), static_cast<int>(size),
                           static_cast<std::uint32_t>(settings.Integer(SettingsEffectGrain::SEED)));
    if (grain.IsIdentity())
        return std::nullopt;
    return grain;
}

Steps Texture(const SettingsEffectTexture& settings, const QSize& size)
{
    const double amount = settings.Number(SettingsEffectTexture::AMOUNT);
    if (amount <= 0.0)
        return std::nullopt;
    // Not fetched yet, or failed: the photo stays as it is.
    const std::string name = settings.Text(SettingsEffectTexture::TEXTURE);
    const QImage texture = name.empty() ? QImage()
                                        : TextureCache::Get(ResourceManager::CachedPath(
                                            ResourceId{SettingsEffectTexture::RESOURCE_TYPE, name}));
    if (texture.isNull())
        return std::nullopt;
    // Tiles scale with the photo, so that a preview looks like the photo it stands for.
    const double scale = std::max(settings.Number(SettingsEffectTexture::SCALE), 0.0);
    return TextureBlend(texture, static_cast<int>(std::lround(scale * std::max(size.width(), size.height()))),
                        amount,
                        settings.Flag(SettingsEffectTexture::SCREEN) ? TextureBlend::Mode::Screen
                                                                      : TextureBlend::Mode::SoftLight);
}

Steps Nothing(const SettingsEffectEmpty&, const QSize&)
{
    return std::nullopt;
}

using Planner = Steps (*)(const ISettingsEffect&, const QSize&);

template <typename S, Steps (*Plan)(const S&, const QSize&)>
std::pair<const std::string, Planner> Entry()
{
    return {S::CLASS_ID, [](const ISettingsEffect& settings, const QSize& size) {
                return Plan(static_cast<const S&>(settings), size);
            }};
}

// True when the step may turn a difference of one level into more.
bool Widens(const Step& step)
{
    if (const auto* lut = std::get_if<ColourLut>(&step))
        return lut->Widens();
    if (const auto* matrix = std::get_if<ColourMatrix>(&step))
        return matrix->Widens();
    if (const auto* blend = std::get_if<TextureBlend>(&step))
        return blend->Widens();
    return false;
}

} // namespace

struct RenderPlan::Stage {
    Step step;
};

struct RenderPlan::Runner {
    explicit Runner(const PixelBand& band) : band(band), current(band.source) {}

    const PixelBand& band;
    PixelLines<const std::uint32_t> current;
    std::vector<PixelLines<const std::uint32_t>> saved;
    std::vector<std::unique_ptr<std::uint32_t[]>> copies;

    PixelBand Next() const { return {current, band.target, band.width, band.top, band.height}; }
    void Written() { current = {band.target.first, band.target.stride}; }

    template <typename Kernel>
    void operator()(const Kernel& kernel)
    {
        kernel.Apply(Next());
        Written();
    }

    void operator()(const Save&)
    {
        // The band's input stays where it is; what stages wrote is about to be overwritten.
        if (current.first == band.source.first) {
            saved.push_back(current);
            return;
        }
        const auto width = static_cast<std::size_t>(band.width);
        copies.emplace_back(new std::uint32_t[width * static_cast<std::size_t>(band.height)]);
        for (int row = 0; row < band.height; ++row)
            std::memcpy(copies.back().get() + static_cast<std::size_t>(row) * width, current[row], width * 4);
        saved.push_back({copies.back().get(), band.width});
    }

    void operator()(const Mix& mix)
    {
        ImageMixer::Mix(Next(), saved.back(), mix.level);
        saved.pop_back();
        Written();
    }
};

RenderPlan::RenderPlan(const QSize& size) : m_size(size) {}

RenderPlan::RenderPlan(const IEffectSettings::ConstList& effects, int blendLevel, const QSize& size)
    : RenderPlan(size)
{
    BeginMix();
    AddAll(effects);
    EndMix(blendLevel);
    FuseMatrices();
    FuseTablesWithMatrices();
}

RenderPlan::RenderPlan(const IEffectSettings& effect, const QSize& size) : RenderPlan(size)
{
    Add(effect);
    FuseMatrices();
    FuseTablesWithMatrices();
}

RenderPlan::~RenderPlan() = default;

bool RenderPlan::IsEmpty() const
{
    return m_stages.empty();
}

void RenderPlan::Run(const PixelBand& band) const
{
    Runner runner(band);
    for (const Stage& stage : m_stages)
        std::visit(runner, stage.step);
}

void RenderPlan::AddAll(const IEffectSettings::ConstList& effects)
{
    for (const auto& effect : effects) {
        if (effect)
            Add(*effect);
    }
}

void RenderPlan::Add(const IEffectSettings& effect)
{
    Add(effect.GetEffectSettings());
}

void RenderPlan::Add(const ISettingsEffect& settings)
{
    if (const auto* blender = dynamic_cast<const SettingsEffectMaskBlender*>(&settings)) {
        if (!blender->GetFillMask() || !blender->GetRenderInner())
            return;
        BeginMix();
        AddAll(blender->GetEffects());
        EndMix(blender->GetLevel());
        return;
    }
    static const std::map<std::string, Planner> planners{
        Entry<SettingsEffectEmpty, Nothing>(),
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
    const auto it = planners.find(settings.GetClassId());
    if (it == planners.end())
        throw std::invalid_argument("no renderer for effect class \"" + settings.GetClassId() + "\"");
    if (auto step = it->second(settings, m_size))
        Push({std::move(*step)});
}

void RenderPlan::Push(Stage stage)
{
    if (const auto* lut = std::get_if<ColourLut>(&stage.step)) {
        // Tables compose exactly: one table does what both do in turn.
        auto* last = m_stages.empty() ? nullptr : std::get_if<ColourLut>(&m_stages.back().step);
        const ColourLut both = last ? last->Then(*lut) : *lut;
        if (last)
            m_stages.pop_back();
        if (!both.IsIdentity())
            m_stages.push_back({both});
        return;
    }
    if (const auto* matrix = std::get_if<ColourMatrix>(&stage.step); matrix && matrix->IsIdentity())
        return;
    m_stages.push_back(std::move(stage));
}

void RenderPlan::BeginMix()
{
    m_mixes.push_back(m_stages.size());
    m_stages.push_back({Save{}});
}

void RenderPlan::EndMix(int level)
{
    const std::size_t begin = m_mixes.back();
    m_mixes.pop_back();
    std::vector<Stage> inner(std::make_move_iterator(m_stages.begin() + std::ptrdiff_t(begin) + 1),
                             std::make_move_iterator(m_stages.end()));
    m_stages.erase(m_stages.begin() + std::ptrdiff_t(begin), m_stages.end());
    // All input: the section does nothing. No input, or nothing to mix: its stages
    // join those before it, where they may merge.
    if (level >= 255)
        return;
    if (level <= 0 || inner.empty()) {
        for (Stage& stage : inner)
            Push(std::move(stage));
        return;
    }
    m_stages.push_back({Save{}});
    std::move(inner.begin(), inner.end(), std::back_inserter(m_stages));
    m_stages.push_back({Mix{level}});
}

void RenderPlan::FuseMatrices()
{
    // From the back, so that each run of matrices knows whether anything after it
    // could widen the level by which a merged matrix may differ.
    bool widened = false;
    std::vector<Stage> fused;
    for (auto end = m_stages.size(); end > 0;) {
        auto begin = end - 1;
        while (begin > 0 && std::holds_alternative<ColourMatrix>(m_stages[begin].step)
               && std::holds_alternative<ColourMatrix>(m_stages[begin - 1].step))
            --begin;
        std::optional<ColourMatrix> merged;
        if (end - begin > 1 && !widened) {
            merged = std::get<ColourMatrix>(m_stages[begin].step);
            for (auto i = begin + 1; merged && i < end; ++i)
                merged = merged->Then(std::get<ColourMatrix>(m_stages[i].step));
        }
        if (merged) {
            fused.push_back({*merged});
            widened = true;
        } else {
            for (auto i = end; i-- > begin;) {
                widened = widened || Widens(m_stages[i].step);
                fused.push_back(std::move(m_stages[i]));
            }
        }
        end = begin;
    }
    m_stages.assign(std::make_move_iterator(fused.rbegin()), std::make_move_iterator(fused.rend()));
}

void RenderPlan::FuseTablesWithMatrices()
{
    // Exact, so it runs last: the merging rules above see tables and matrices as they are.
    std::vector<Stage> fused;
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const auto* lut = std::get_if<ColourLut>(&m_stages[i].step);
        const auto* matrix = i + 1 < m_stages.size() ? std::get_if<ColourMatrix>(&m_stages[i + 1].step) : nullptr;
        if (lut && matrix) {
            fused.push_back({ColourLutMatrix(*lut, *matrix)});
            ++i;
        } else {
            fused.push_back(std::move(m_stages[i]));
        }
    }
    m_stages = std::move(fused);
}

} // namespace Tavrel::PhotoCore
