#include "GlimmarPresetsUtil/Settings/IntensitySettingEmpty.h"

namespace Tavrel::Glimmar::GlimmarPresets {

bool IntensitySettingEmpty::IsEnabled() const { return false; }

PhotoCore::EffectsSettings
IntensitySettingEmpty::ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>&,
                                               unsigned int) const
{
    return {};
}

int IntensitySettingEmpty::Min() const { return 0; }

int IntensitySettingEmpty::Max() const { return 0; }

int IntensitySettingEmpty::Value() const { return 0; }

void IntensitySettingEmpty::SetValue(int) {}

void IntensitySettingEmpty::Init(PhotoCore::EffectsSettings&) {}

void IntensitySettingEmpty::LoadValue(const PhotoCore::EffectsSettings&) {}

void IntensitySettingEmpty::SaveValue(PhotoCore::EffectsSettings&) {}

} // namespace Tavrel::Glimmar::GlimmarPresets
