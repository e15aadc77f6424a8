#pragma once

// Configuration items and photos for tests of the applier and the preset models.

#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/EffectSettings.h"
#include "Host/PropertyTree.h"

#include <QColor>
#include <QImage>

#include <string>
#include <utility>
#include <vector>

namespace TestPresets {

namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::PhotoCore::EffectSettings;
using Tavrel::PhotoCore::IEffectSettings;

/// A catalogue effect with the given numeric parameters.
inline IEffectSettings::Ptr Effect(const std::string& classId,
                                   const std::vector<std::pair<std::string, double>>& parameters)
{
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap()["class"] = PropertyTree(Tavrel::PropertyTreeScalar(classId));
    for (const auto& [name, value] : parameters)
        tree.getMap()[name] = PropertyTree(Tavrel::PropertyTreeScalar(value));
    return EffectSettings::DeserializePtr(tree);
}

/// A slider from 0 to 100 driving one parameter linearly from begin to end.
inline PresetConfig::Intensity SliderIntensity(const std::string& effectId, const std::string& parameter, double begin,
                                               double end)
{
    PresetConfig::Intensity intensity;
    intensity.m_type = PresetConfig::IntensityType::Custom;
    intensity.m_sliderSetting.m_data.m_begin = 0;
    intensity.m_sliderSetting.m_data.m_end = 100;
    intensity.m_sliderSetting.m_data.m_variables.push_back({begin, end, effectId, parameter});
    return intensity;
}

/// An exposure preset whose slider drives the amount from 0 (at 0) to 2 stops (at 100); starts at 50.
inline PresetConfig::Item ExposureItem(const std::string& id, double amount = 1.0)
{
    PresetConfig::Item item;
    item.m_id = id;
    item.m_name = id;
    item.m_statisticsName = "stat_" + id;
    item.m_effects = {Effect("exposure", {{"amount", amount}})};
    item.m_intensity = SliderIntensity("exposure", "amount", 0.0, 2.0);
    return item;
}

/// A preset without an intensity slider.
inline PresetConfig::Item PlainItem(const std::string& id, const std::string& classId,
                                    const std::vector<std::pair<std::string, double>>& parameters)
{
    PresetConfig::Item item;
    item.m_id = id;
    item.m_name = id;
    item.m_effects = {Effect(classId, parameters)};
    item.m_intensity.m_type = PresetConfig::IntensityType::None;
    return item;
}

/// An opaque photo with gradients in every channel, so that any colour effect changes it.
inline QImage GradientPhoto(int width = 48, int height = 32)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            photo.setPixelColor(x, y, QColor(40 + x * 3, 60 + y * 4, 120 + (x + y) % 60));
    return photo;
}

} // namespace TestPresets
