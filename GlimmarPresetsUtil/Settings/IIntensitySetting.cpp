#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"

namespace Tavrel::Glimmar::GlimmarPresets {

IIntensitySetting::~IIntensitySetting() = default;

} // namespace Tavrel::Glimmar::GlimmarPresets
