#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Interfaces/IWorkspaceUser.h"

#include <map>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Passes the preset list's usage events to the editor's statistics handler.
/// Copies send to the same controller. Without a controller events are dropped.
class GLIMMARPRESETSUTIL_EXPORT EffectEventTracker : public virtual PhotoCore::IWorkspaceUser {
public:
    EffectEventTracker();
    EffectEventTracker(const EffectEventTracker& other);
    EffectEventTracker(EffectEventTracker&& other) noexcept;
    EffectEventTracker& operator=(const EffectEventTracker& other);
    EffectEventTracker& operator=(EffectEventTracker&& other) noexcept;
    ~EffectEventTracker() override;

    /// Sends the event unchanged; an empty name is not sent.
    void TrackEvent(const std::string& name, const std::map<std::string, std::string>& parameters);
};

} // namespace Tavrel::Glimmar::GlimmarPresets
