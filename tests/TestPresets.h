#pragma once

// Configuration items and photos for tests of the applier and the preset models.

#include "EffectTestHelpers.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <QColor>
#include <QImage>

#include <string>
#include <utility>
#include <vector>

namespace TestPresets {

namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

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
    item.m_effects = {MakeEffect("exposure", {{"amount", amount}})};
    item.m_intensity = SliderIntensity("exposure", "amount", 0.0, 2.0);
    return item;
}

/// A preset without an intensity slider.
inline PresetConfig::Item PlainItem(const std::string& id, const std::string& classId,
                                    const std::vector<std::pair<std::string, Tavrel::PropertyTreeScalar>>& parameters)
{
    PresetConfig::Item item;
    item.m_id = id;
    item.m_name = id;
    item.m_effects = {MakeEffect(classId, parameters)};
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
