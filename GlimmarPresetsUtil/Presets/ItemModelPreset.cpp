#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"

#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"
#include "GlimmarPresetsUtil/Settings/IntensitySettingEmpty.h"
#include "GlimmarPresetsUtil/Settings/SliderAutoSetting.h"
#include "GlimmarPresetsUtil/Settings/SliderSetting.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Types/GenerateUuid.h"
#include "Host/Types/ModelFile.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/QtUtils/ImageFile.h"
#include "Host/QtUtils/WorkspaceScenePropertyHelper.h"
#include "Host/Types/ioPath.h"

#include <optional>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::SettingsEffectMaskBlender;
using PresetConfig::IntensityType;

namespace {

// A preview is a tile; a file that claims more pixels than this is refused by its header
// before memory is taken for it (a small file can claim gigapixels).
constexpr qint64 MaxPreviewPixels = 4096 * 4096;

} // namespace

// Members are destroyed bottom-up: helper, intensity, item, picture, effects.
struct ItemModelPreset::Impl {
    explicit Impl(const TranslatableContext* context) : context(context)
    {
        propertyHelper->PrepareHelper();
    }

    EffectsSettings effects;
    EffectsSettings previewEffects;
    /// The preview file, read when the picture is first asked for: most tiles are never shown,
    /// and a panel opens sooner without decoding their pictures. Empty: no file.
    QString previewPath;
    mutable std::optional<QPixmap> preview;
    PresetConfig::Item item;
    std::unique_ptr<IIntensitySetting> intensity = std::make_unique<IntensitySettingEmpty>();
    std::unique_ptr<WorkspaceScenePropertyHelper> propertyHelper = std::make_unique<WorkspaceScenePropertyHelper>();
    const TranslatableContext* context;
    bool applied = false;

    /// Replaces the intensity setting with the one the item's intensity type asks for.
    void ParseIntensity();
    /// Names the item's preview file (".png" when it has no extension) in the folder.
    void LocatePreview(const std::string& previewFolder);
    /// The preview picture, read from its file on the first call.
    const QPixmap& Preview() const;
};

ItemModelPreset::ItemModelPreset(const PresetConfig::Item& item, const TranslatableContext* context,
                                 const std::string& previewFolder)
    : m_impl(std::make_unique<Impl>(context))
{
    Deserialize(item);
    m_impl->ParseIntensity();
    m_impl->LocatePreview(previewFolder);
}

ItemModelPreset::ItemModelPreset(const std::string& name, const TranslatableContext* context,
                                 const PresetConfig::CommonSettings& common, const EffectsSettings& effects,
                                 bool wrapWithBlender)
    : m_impl(std::make_unique<Impl>(context))
{
    PresetConfig::Item& item = m_impl->item;
    item.m_statisticsName = common.m_statisticsName;
    item.m_painterClassId = common.m_painterClassId;
    item.m_intensity = common.m_intensity;
    item.m_name = name;
    item.m_id = GenerateUuid().toStdString();
    item.m_isUser = true;
    item.m_wrapWithBlender = wrapWithBlender;
    item.m_effects = effects.Effects();
    item.m_effectsPreview = effects.Effects();
    m_impl->effects = wrapWithBlender ? WrapSettingsWithBlender(effects) : effects;
    m_impl->previewEffects = effects;
    m_impl->ParseIntensity();
}

ItemModelPreset::~ItemModelPreset() = default;

TranslatableString ItemModelPreset::GetName() const
{
    static const TranslatableContext noContext("");
    return TranslatableString(m_impl->context ? *m_impl->context : noContext, m_impl->item.m_name);
}

const std::string& ItemModelPreset::GetId() const { return m_impl->item.m_id; }

bool ItemModelPreset::IsApply() const { return m_impl->applied; }

bool ItemModelPreset::IsFavourite() const { return m_impl->item.m_isFavorite; }

bool ItemModelPreset::IsPopular() const { return m_impl->item.m_isPopular; }

bool ItemModelPreset::IsUserPreset() const { return m_impl->item.m_isUser; }

void ItemModelPreset::SetApply(bool apply) { m_impl->applied = apply; }

void ItemModelPreset::SetFavourite(bool favourite) { m_impl->item.m_isFavorite = favourite; }

void ItemModelPreset::SetIntensity(int value) { m_impl->intensity->SetValue(value); }

void ItemModelPreset::SetName(const std::string& name) { m_impl->item.m_name = name; }

bool ItemModelPreset::HasAsyncPaint() const { return m_impl->item.m_asyncPaint; }

IEffectSettings::ConstList ItemModelPreset::GetEffectInfo() const
{
    return IEffectSettings::ToConstList(GetEffectInfoInternal());
}

IEffectSettings::List ItemModelPreset::GetEffectInfoInternal() const { return m_impl->effects.Effects(); }

const EffectsSettings& ItemModelPreset::GetEffectSettings() const { return m_impl->effects; }

const EffectsSettings& ItemModelPreset::GetPreviewEffectSettings() const { return m_impl->previewEffects; }

const PhotoCore::PreviewPolicy& ItemModelPreset::GetPreviewPolicy() const { return m_impl->item.m_previewPolicy; }

IIntensitySetting& ItemModelPreset::GetIntensitySettings() { return *m_impl->intensity; }

const IIntensitySetting& ItemModelPreset::GetIntensitySettings() const { return *m_impl->intensity; }

QPixmap ItemModelPreset::GetPreview() const { return m_impl->Preview(); }

const std::string& ItemModelPreset::GetPainterClassId() const { return m_impl->item.m_painterClassId; }

void ItemModelPreset::ResetSettingsValues() { m_impl->intensity->LoadValue(m_impl->effects); }

void ItemModelPreset::Load(const IEffectSettings::ConstList&) {}

void ItemModelPreset::LoadIntensity(const EffectsSettings& settings) { m_impl->intensity->LoadValue(settings); }

void ItemModelPreset::Serialize(PresetConfig::Item& item) const { item = m_impl->item; }

void ItemModelPreset::Deserialize(const PresetConfig::Item& item)
{
    m_impl->item = item;
    m_impl->effects = EffectsSettings();
    m_impl->previewEffects = EffectsSettings();
    m_impl->effects.Effects() = item.m_effects;
    m_impl->previewEffects.Effects() = item.m_effectsPreview.empty() ? item.m_effects : item.m_effectsPreview;
    if (item.m_wrapWithBlender)
        m_impl->effects = WrapSettingsWithBlender(m_impl->effects);
}

bool ItemModelPreset::IsDownloadable() const
{
    return m_impl->item.m_downloadable.m_resourceType != PresetConfig::ResourceType::Invalid;
}

std::set<ResourceId> ItemModelPreset::GetDownloadableResources() const
{
    const PresetConfig::Downloadable& downloadable = m_impl->item.m_downloadable;
    std::set<ResourceId> resources;
    for (const std::string& name : downloadable.m_resources)
        resources.insert({static_cast<std::int32_t>(downloadable.m_resourceType), name});
    for (const Proc::Neural::ModelFileId model : downloadable.m_models)
        resources.insert({static_cast<std::int32_t>(PresetConfig::ResourceType::NeuralModel),
                          Proc::Neural::ModelFile::GetBaseName(model)});
    return resources;
}

std::string ItemModelPreset::GetStatisticsName() const { return m_impl->item.m_statisticsName; }

EffectsSettings ItemModelPreset::WrapSettingsWithBlender(const EffectsSettings& settings)
{
    EffectsSettings result = settings;
    SettingsEffectMaskBlender blender;
    blender.SetFillMask(true);
    blender.SetRenderInner(true);
    const auto wrapped =
        PhotoCore::EffectSettingsImpl<SettingsEffectMaskBlender, PhotoCore::EffectsPackageWithBrushSettings>::Create(
            blender);
    // Set on the wrapped copy: copying a blender clones its inner effects, and these must stay shared.
    SettingsEffectMaskBlender::Of(wrapped.get())->SetEffectsImpl(settings.EffectsConst(), true);
    result.Effects() = {wrapped};
    return result;
}

void ItemModelPreset::Impl::ParseIntensity()
{
    const PresetConfig::Intensity& configured = item.m_intensity;
    intensity = std::make_unique<IntensitySettingEmpty>();
    switch (configured.m_type) {
    case IntensityType::Blend:
        intensity = std::make_unique<BlendingSetting>(configured.m_blendSetting, std::make_pair(1, 100));
        break;
    case IntensityType::Custom:
        intensity = std::make_unique<SliderSetting>(configured.m_sliderSetting, true);
        break;
    case IntensityType::CustomAuto:
        intensity = std::make_unique<SliderAutoSetting>();
        break;
    case IntensityType::None:
    case IntensityType::Invalid:
        break;
    }
    intensity->Init(effects);
}

void ItemModelPreset::Impl::LocatePreview(const std::string& previewFolder)
{
    if (previewFolder.empty())
        return;
    const std::string& fileName = item.m_previewFilename;
    const ioPath name = ioPath(fileName).has_extension() ? ioPath(fileName) : ioPath(fileName + ".png");
    previewPath = QString::fromStdString((ioPath(previewFolder) / name).utf8string());
}

const QPixmap& ItemModelPreset::Impl::Preview() const
{
    if (preview)
        return *preview;
    preview.emplace();
    if (previewPath.isEmpty())
        return *preview;
    // A missing, unreadable, damaged or oversized file leaves the picture null; previews are then rendered.
    QString problem;
    *preview = QPixmap::fromImage(ImageFile::Read(previewPath, MaxPreviewPixels, problem));
    return *preview;
}

} // namespace Tavrel::Glimmar::GlimmarPresets
