#include "GlimmarPresetsUtil/Apply/EffectEventTracker.h"

namespace Tavrel::Glimmar::GlimmarPresets {

EffectEventTracker::EffectEventTracker() = default;
EffectEventTracker::EffectEventTracker(const EffectEventTracker& other) = default;
EffectEventTracker::EffectEventTracker(EffectEventTracker&& other) noexcept = default;
EffectEventTracker& EffectEventTracker::operator=(const EffectEventTracker& other) = default;
EffectEventTracker& EffectEventTracker::operator=(EffectEventTracker&& other) noexcept = default;
EffectEventTracker::~EffectEventTracker() = default;

void EffectEventTracker::TrackEvent(const std::string& name, const std::map<std::string, std::string>& parameters)
{
    if (name.empty())
        return;
    if (const auto controller = GetWorkspaceController(false))
        controller->GetStatisticsHandler().HandleEvent(name, parameters);
}

} // namespace Tavrel::Glimmar::GlimmarPresets
