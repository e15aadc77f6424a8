#pragma once

#include "GlimmarPresetsUtil/Settings/FieldInfo.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectsSettings.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <string_view>

/// The tree form of the preset configuration records: their key tables, enumeration
/// names and the converters of the photo core's types they hold.
namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig {

using PhotoCore::Color;
using PhotoCore::CropPolicy;
using PhotoCore::EffectPolicy;
using PhotoCore::FitPolicy;

template <>
struct EnumNames<IntensityType> {
    static constexpr int first = -1;
    static constexpr std::array<std::string_view, 5> names{"Invalid", "None", "Blend", "Custom", "CustomAuto"};
    static constexpr IntensityType fallback = IntensityType::Invalid;
};

template <>
struct EnumNames<EffectPolicy> {
    static constexpr int first = 0;
    static constexpr std::array<std::string_view, 3> names{"Original", "ApplyNormal", "ApplySplit"};
    static constexpr EffectPolicy fallback = EffectPolicy::Original;
};

template <>
struct EnumNames<CropPolicy> {
    static constexpr int first = 0;
    static constexpr std::array<std::string_view, 3> names{"Disable", "BeforeEffect", "AfterEffect"};
    static constexpr CropPolicy fallback = CropPolicy::Disable;
};

template <>
struct EnumNames<FitPolicy> {
    static constexpr int first = 0;
    static constexpr std::array<std::string_view, 2> names{"Disable", "Fit"};
    static constexpr FitPolicy fallback = FitPolicy::Disable;
};

template <>
struct EnumNames<ResourceType> {
    static constexpr int first = 0;
    static constexpr std::array<std::string_view, 6> names{"Invalid",       "NeuralModel",  "BackgroundImage",
                                                           "EffectTexture", "JsonCrcIndex", "JsonCrc"};
    static constexpr ResourceType fallback = ResourceType::Invalid;
};

template <>
struct EnumNames<ModelFileId> {
    static constexpr int first = 0;
    static constexpr const auto& names = Proc::Neural::ModelFileIdNames;
    static constexpr ModelFileId fallback = ModelFileId::Invalid;
};

// Eight hexadecimal digits, channel 0 in the highest byte.
template <>
struct TreeConverter<Color> {
    static void Read(Color& value, const PropertyTree& tree, TreeOptions)
    {
        const std::string text = tree.getScalar().toString();
        unsigned long number = 0;
        try {
            number = std::stoul(text, nullptr, 16);
        } catch (const std::invalid_argument&) {
            throw std::invalid_argument("colour \"" + text + "\" is not a hexadecimal number");
        } catch (const std::out_of_range&) {
            number = ~0ul;
        }
        if (number > 0xFFFFFFFFul)
            throw std::out_of_range("colour \"" + text + "\" does not fit 32 bits");
        for (std::size_t i = 0; i < 4; ++i)
            value.channels[i] = static_cast<std::uint8_t>(number >> (24 - 8 * i));
    }
    static void Write(const Color& value, PropertyTree& tree, TreeOptions)
    {
        char text[9];
        std::snprintf(text, sizeof text, "%02x%02x%02x%02x", value.channels[0], value.channels[1], value.channels[2],
                      value.channels[3]);
        tree = PropertyTreeScalar(std::string(text, 8));
    }
};

template <>
struct TreeConverter<EffectList> {
    static void Read(EffectList& value, const PropertyTree& tree, TreeOptions)
    {
        if (!tree.isList())
            return;
        const auto& list = tree.getList();
        value.clear();
        value.reserve(list.size());
        for (const PropertyTree& element : list)
            value.push_back(PhotoCore::EffectSettings::DeserializePtr(element));
    }
    static void Write(const EffectList& value, PropertyTree& tree, TreeOptions)
    {
        tree = PhotoCore::EffectsSettings::SerializeEffects(value);
    }
};

template <>
struct RecordFields<Variable> {
    static constexpr auto fields =
        std::make_tuple(Field<Variable>("begin", &Variable::m_begin), Field<Variable>("end", &Variable::m_end),
                        Field<Variable>("effectID", &Variable::m_effectID),
                        Field<Variable>("setting", &Variable::m_setting));
};

template <>
struct RecordFields<IntensitySliderData> {
    using T = IntensitySliderData;
    static constexpr auto fields = std::make_tuple(Field<T>("begin", &T::m_begin), Field<T>("end", &T::m_end),
                                                   Field<T>("variables", &T::m_variables));
};

template <>
struct RecordFields<IntensitySliderSetting> {
    using T = IntensitySliderSetting;
    static constexpr auto fields = std::make_tuple(Field<T>("data", &T::m_data));
};

template <>
struct RecordFields<IntensityBlendSetting> {
    using T = IntensityBlendSetting;
    static constexpr auto fields = std::make_tuple(Field<T>("begin", &T::m_begin), Field<T>("end", &T::m_end),
                                                   Field<T>("value", &T::m_value));
};

template <>
struct RecordFields<Intensity> {
    using T = Intensity;
    static constexpr auto fields = std::make_tuple(Field<T>("type", &T::m_type),
                                                   Field<T>("sliderSetting", &T::m_sliderSetting),
                                                   Field<T>("blendSetting", &T::m_blendSetting));
};

template <>
struct RecordFields<Downloadable> {
    using T = Downloadable;
    static constexpr auto fields = std::make_tuple(Field<T>("resources", &T::m_resources),
                                                   Field<T>("models", &T::m_models),
                                                   Field<T>("resourceType", &T::m_resourceType));
};

template <>
struct RecordFields<PreviewPolicy> {
    using T = PreviewPolicy;
    static constexpr auto fields = std::make_tuple(
        Field<T>("effectPolicy", &T::m_effectPolicy), Field<T>("cropPolicy", &T::m_cropPolicy),
        Field<T>("fitPolicy", &T::m_fitPolicy), Field<T>("fitPaddingColor", &T::m_fitPaddingColor),
        Field<T>("applyWithMask", &T::m_applyWithMask), Field<T>("splitColor", &T::m_splitColor));
};

template <>
struct RecordFields<StoreProductId> {
    using T = StoreProductId;
    static constexpr auto fields = std::make_tuple(Field<T>("id", &T::m_id));
};

template <>
struct RecordFields<Item> {
    using T = Item;
    static constexpr auto fields = std::make_tuple(
        Field<T>("statisticsName", &T::m_statisticsName), Field<T>("painterClassId", &T::m_painterClassId),
        Field<T>("intensity", &T::m_intensity), Field<T>("sliderSetting", &T::m_sliderSetting),
        Field<T>("blendSetting", &T::m_blendSetting), Field<T>("effects", &T::m_effects),
        Field<T>("effectsPreview", &T::m_effectsPreview), Field<T>("id", &T::m_id), Field<T>("name", &T::m_name),
        Field<T>("imageName", &T::m_imageName), Field<T>("previewFilename", &T::m_previewFilename),
        Field<T>("downloadable", &T::m_downloadable), Field<T>("previewPolicy", &T::m_previewPolicy),
        Field<T>("wrapWithBlender", &T::m_wrapWithBlender), Field<T>("asyncPaint", &T::m_asyncPaint),
        Field<T>("isPopular", &T::m_isPopular), Field<T>("isFavorite", &T::m_isFavorite),
        Field<T>("isUser", &T::m_isUser));
};

// A group carries no "blendSetting" in its tree form.
template <>
struct RecordFields<Group> {
    using T = Group;
    static constexpr auto fields = std::make_tuple(
        Field<T>("statisticsName", &T::m_statisticsName), Field<T>("painterClassId", &T::m_painterClassId),
        Field<T>("intensity", &T::m_intensity), Field<T>("sliderSetting", &T::m_sliderSetting),
        Field<T>("enabled", &T::m_enabled), Field<T>("items", &T::m_items), Field<T>("name", &T::m_name),
        Field<T>("appstoreID", &T::m_appstoreID), Field<T>("isEditable", &T::m_isEditable));
};

template <>
struct RecordFields<Config> {
    using T = Config;
    static constexpr auto fields =
        std::make_tuple(Field<T>("groups", &T::m_groups), Field<T>("favorites", &T::m_favorites));
};

/// Reads the members of a record of PresetConfig.h (or a PreviewPolicy) from a map.
/// Failures of the tree (a wrong kind, a bad number or colour) are thrown as
/// exceptions derived from std::exception, after the members before them were read.
template <typename T>
void ReadFields(T& record, const PropertyTree::Map& map, TreeOptions options)
{
    ReadRecord(record, map, options);
}

/// Writes the members of a record into a map; see TreeOptions.
template <typename T>
void WriteFields(const T& record, PropertyTree::Map& map, TreeOptions options)
{
    WriteRecord(record, map, options);
}

} // namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig
