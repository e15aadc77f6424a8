#pragma once

#include "Host/Effects/IEffectSettings.h"
#include "Host/Types/ModelFileId.h"
#include "Host/Types/PreviewPolicy.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

/// The records of a preset configuration: plain values with defaults, copying
/// and member-wise equality. Members are named m_ + the key of their tree form.
/// Effect lists hold shared effects and compare by pointer.
namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

using EffectList = std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>;
using PhotoCore::PreviewPolicy;
using Proc::Neural::ModelFileId;

/// One effect parameter that the intensity slider drives.
struct Variable {
    double m_begin = 0;     ///< parameter value at the slider's begin
    double m_end = 0;       ///< parameter value at the slider's end
    std::string m_effectID; ///< identifier of the effect in the preset's effect list
    std::string m_setting;  ///< parameter name in that effect

    auto tie() const { return std::tie(m_begin, m_end, m_effectID, m_setting); }
};

struct IntensitySliderData {
    std::int32_t m_begin = 1;
    std::int32_t m_end = 100;
    std::vector<Variable> m_variables;

    auto tie() const { return std::tie(m_begin, m_end, m_variables); }
};

struct IntensitySliderSetting {
    IntensitySliderData m_data;

    auto tie() const { return std::tie(m_data); }
};

struct IntensityBlendSetting {
    std::int32_t m_begin = 0;
    std::int32_t m_end = 127;
    std::int32_t m_value = 127;

    auto tie() const { return std::tie(m_begin, m_end, m_value); }
};

enum class IntensityType : std::int32_t { Invalid = -1, None = 0, Blend = 1, Custom = 2, CustomAuto = 3 };

struct Intensity {
    IntensityType m_type = IntensityType::Invalid;
    IntensitySliderSetting m_sliderSetting;
    IntensityBlendSetting m_blendSetting;

    auto tie() const { return std::tie(m_type, m_sliderSetting, m_blendSetting); }
};

/// Settings shared by groups and items; an item's empty ones are taken from its group.
struct CommonSettings {
    std::string m_statisticsName; ///< name under which usage events are reported
    std::string m_painterClassId; ///< the photo core's painter class
    Intensity m_intensity;
    IntensitySliderSetting m_sliderSetting;
    IntensityBlendSetting m_blendSetting;

    auto tie() const { return std::tie(m_statisticsName, m_painterClassId, m_intensity, m_sliderSetting, m_blendSetting); }
};

enum class ResourceType : std::int32_t {
    Invalid = 0,
    NeuralModel = 1,
    BackgroundImage = 2,
    EffectTexture = 3,
    JsonCrcIndex = 4,
    JsonCrc = 5,
};

struct Downloadable {
    std::vector<std::string> m_resources;
    std::vector<ModelFileId> m_models;
    ResourceType m_resourceType = ResourceType::Invalid;

    auto tie() const { return std::tie(m_resources, m_models, m_resourceType); }
};

/// One preset.
struct Item : CommonSettings {
    EffectList m_effects;        ///< the preset's effect chain
    EffectList m_effectsPreview; ///< the chain its preview is drawn with; empty: m_effects
    std::string m_id;
    std::string m_name;
    std::string m_imageName;
    std::string m_previewFilename;
    Downloadable m_downloadable;
    PreviewPolicy m_previewPolicy;
    bool m_wrapWithBlender = false;
    bool m_asyncPaint = false;
    bool m_isPopular = false;
    bool m_isFavorite = false;
    bool m_isUser = false;

    auto tie() const
    {
        return std::tie(m_effects, m_effectsPreview, m_id, m_name, m_imageName, m_previewFilename, m_downloadable,
                        m_previewPolicy, m_wrapWithBlender, m_asyncPaint, m_isPopular, m_isFavorite, m_isUser);
    }
};

struct StoreProductId {
    std::string m_id;

    auto tie() const { return std::tie(m_id); }
};

/// One preset group.
struct Group : CommonSettings {
    std::vector<Item> m_items;
    std::string m_name;
    StoreProductId m_appstoreID;
    bool m_isEditable = false;
    bool m_enabled = true;

    auto tie() const { return std::tie(m_items, m_name, m_appstoreID, m_isEditable, m_enabled); }
};

/// A whole configuration: groups in configured order and the ids of favourite presets.
struct Config {
    std::vector<Group> m_groups;
    std::set<std::string> m_favorites;

    auto tie() const { return std::tie(m_groups, m_favorites); }
};

// Member-wise equality in declaration order, bases first.
inline bool operator==(const Variable& a, const Variable& b) { return a.tie() == b.tie(); }
inline bool operator==(const IntensitySliderData& a, const IntensitySliderData& b) { return a.tie() == b.tie(); }
inline bool operator==(const IntensitySliderSetting& a, const IntensitySliderSetting& b) { return a.tie() == b.tie(); }
inline bool operator==(const IntensityBlendSetting& a, const IntensityBlendSetting& b) { return a.tie() == b.tie(); }
inline bool operator==(const Intensity& a, const Intensity& b) { return a.tie() == b.tie(); }
inline bool operator==(const CommonSettings& a, const CommonSettings& b) { return a.tie() == b.tie(); }
inline bool operator==(const Downloadable& a, const Downloadable& b) { return a.tie() == b.tie(); }
inline bool operator==(const StoreProductId& a, const StoreProductId& b) { return a.tie() == b.tie(); }
inline bool operator==(const Item& a, const Item& b)
{
    return static_cast<const CommonSettings&>(a) == static_cast<const CommonSettings&>(b) && a.tie() == b.tie();
}
inline bool operator==(const Group& a, const Group& b)
{
    return static_cast<const CommonSettings&>(a) == static_cast<const CommonSettings&>(b) && a.tie() == b.tie();
}
inline bool operator==(const Config& a, const Config& b) { return a.tie() == b.tie(); }

inline bool operator!=(const Variable& a, const Variable& b) { return !(a == b); }
inline bool operator!=(const IntensitySliderData& a, const IntensitySliderData& b) { return !(a == b); }
inline bool operator!=(const IntensitySliderSetting& a, const IntensitySliderSetting& b) { return !(a == b); }
inline bool operator!=(const IntensityBlendSetting& a, const IntensityBlendSetting& b) { return !(a == b); }
inline bool operator!=(const Intensity& a, const Intensity& b) { return !(a == b); }
inline bool operator!=(const CommonSettings& a, const CommonSettings& b) { return !(a == b); }
inline bool operator!=(const Downloadable& a, const Downloadable& b) { return !(a == b); }
inline bool operator!=(const StoreProductId& a, const StoreProductId& b) { return !(a == b); }
inline bool operator!=(const Item& a, const Item& b) { return !(a == b); }
inline bool operator!=(const Group& a, const Group& b) { return !(a == b); }
inline bool operator!=(const Config& a, const Config& b) { return !(a == b); }

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
