#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/PreviewPolicy.h"
#include "Host/Types/ResourceId.h"
#include "Host/Types/TranslatableString.h"

#include <QPixmap>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

/// One preset as models, delegate, applier and preview generator see it.
class GLIMMARPRESETSUTIL_EXPORT IItemModelPreset {
public:
    virtual ~IItemModelPreset();

    /// The name with the preset's translation context; valid until the next SetName.
    virtual TranslatableString GetName() const = 0;
    virtual const std::string& GetId() const = 0;
    /// Whether the preset is the one currently applied and not yet confirmed or reset.
    virtual bool IsApply() const = 0;
    virtual bool IsFavourite() const = 0;
    virtual bool IsPopular() const = 0;
    virtual bool IsUserPreset() const = 0;
    virtual void SetApply(bool apply) = 0;
    virtual void SetFavourite(bool favourite) = 0;
    virtual void SetIntensity(int value) = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual bool HasAsyncPaint() const = 0;
    virtual std::vector<std::shared_ptr<const PhotoCore::IEffectSettings>> GetEffectInfo() const = 0;
    /// The preset's own effect objects (shared, not cloned).
    virtual std::vector<std::shared_ptr<PhotoCore::IEffectSettings>> GetEffectInfoInternal() const = 0;
    virtual const PhotoCore::EffectsSettings& GetEffectSettings() const = 0;
    virtual const PhotoCore::EffectsSettings& GetPreviewEffectSettings() const = 0;
    virtual const PhotoCore::PreviewPolicy& GetPreviewPolicy() const = 0;
    virtual IIntensitySetting& GetIntensitySettings() = 0;
    virtual const IIntensitySetting& GetIntensitySettings() const = 0;
    /// The preset's own preview picture; null when it has none.
    virtual QPixmap GetPreview() const = 0;
    virtual const std::string& GetPainterClassId() const = 0;
    /// Returns the intensity to the value the preset's own effects encode.
    virtual void ResetSettingsValues() = 0;
    virtual void Load(const std::vector<std::shared_ptr<const PhotoCore::IEffectSettings>>& effects) = 0;
    /// Recovers the intensity from the given settings.
    virtual void LoadIntensity(const PhotoCore::EffectsSettings& settings) = 0;
    virtual void Serialize(PresetConfig::Item& item) const = 0;
    virtual void Deserialize(const PresetConfig::Item& item) = 0;
    virtual bool IsDownloadable() const = 0;
    virtual std::set<ResourceId> GetDownloadableResources() const = 0;
    virtual std::string GetStatisticsName() const = 0;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
