#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"

#include <memory>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

/// One preset, built from a configured item or from the user's current effects.
///
/// The preset's effects, its preview effects and its item record share the same
/// effect objects: intensity changes made on one are seen through all of them.
class GLIMMARPRESETSUTIL_EXPORT ItemModelPreset : public IItemModelPreset {
public:
    /// A configured preset. Its preview picture is read from previewFolder (none
    /// when the folder is empty) when it is first asked for. Throws
    /// std::invalid_argument when a "Custom" intensity names an effect the preset
    /// does not have.
    ItemModelPreset(const PresetConfig::Item& item, const TranslatableContext* context,
                    const std::string& previewFolder);
    /// A user preset made of the given effects, with a new id, the statistics
    /// name, painter and intensity of common, and no preview picture.
    ItemModelPreset(const std::string& name, const TranslatableContext* context,
                    const PresetConfig::CommonSettings& common, const PhotoCore::EffectsSettings& effects,
                    bool wrapWithBlender);
    ~ItemModelPreset() override;

    ItemModelPreset(const ItemModelPreset&) = delete;
    ItemModelPreset& operator=(const ItemModelPreset&) = delete;

    TranslatableString GetName() const override;
    const std::string& GetId() const override;
    bool IsApply() const override;
    bool IsFavourite() const override;
    bool IsPopular() const override;
    bool IsUserPreset() const override;
    void SetApply(bool apply) override;
    void SetFavourite(bool favourite) override;
    void SetIntensity(int value) override;
    void SetName(const std::string& name) override;
    bool HasAsyncPaint() const override;
    std::vector<std::shared_ptr<const PhotoCore::IEffectSettings>> GetEffectInfo() const override;
    std::vector<std::shared_ptr<PhotoCore::IEffectSettings>> GetEffectInfoInternal() const override;
    const PhotoCore::EffectsSettings& GetEffectSettings() const override;
    const PhotoCore::EffectsSettings& GetPreviewEffectSettings() const override;
    const PhotoCore::PreviewPolicy& GetPreviewPolicy() const override;
    IIntensitySetting& GetIntensitySettings() override;
    const IIntensitySetting& GetIntensitySettings() const override;
    QPixmap GetPreview() const override;
    const std::string& GetPainterClassId() const override;
    void ResetSettingsValues() override;
    /// Does nothing.
    void Load(const std::vector<std::shared_ptr<const PhotoCore::IEffectSettings>>& effects) override;
    void LoadIntensity(const PhotoCore::EffectsSettings& settings) override;
    void Serialize(PresetConfig::Item& item) const override;
    /// Takes the item and rebuilds the effects from it (wrapped when it says so);
    /// the intensity setting and the preview stay as they were.
    void Deserialize(const PresetConfig::Item& item) override;
    /// Whether the resource type is not Invalid; listed models do not count.
    bool IsDownloadable() const override;
    /// The item's resources under its resource type and its models as neural
    /// model files, ordered by type and name.
    std::set<ResourceId> GetDownloadableResources() const override;
    std::string GetStatisticsName() const override;

    /// A copy of settings whose only effect is a mask blender (mask filled, inner
    /// chain rendered) holding the effects of settings.
    static PhotoCore::EffectsSettings WrapSettingsWithBlender(const PhotoCore::EffectsSettings& settings);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
