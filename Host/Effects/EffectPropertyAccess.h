#pragma once

#include "Host/Effects/ISettingsEffect.h"

namespace Tavrel::PhotoCore {

/// Named-property view of one effect's settings, handed out by
/// IEffectSettings::GetPropertyAccess and released by its owner when done.
/// The constant form (const EffectPropertyAccess) only reads.
class EffectPropertyAccess {
public:
    explicit EffectPropertyAccess(const ISettingsEffect& settings) : m_settings(const_cast<ISettingsEffect&>(settings)) {}
    explicit EffectPropertyAccess(ISettingsEffect& settings) : m_settings(settings) {}

    std::vector<std::string> GetPropertyNames() const { return m_settings.GetPropertyNames(); }
    PropertyTree GetProperty(const std::string& name) const { return m_settings.GetProperty(name); }
    void SetProperty(const std::string& name, const PropertyTree& value) { m_settings.SetProperty(name, value); }

private:
    // Mutable access is only reachable through a non-const EffectPropertyAccess,
    // which GetPropertyAccess hands out for mutable effects only.
    ISettingsEffect& m_settings;
};

} // namespace Tavrel::PhotoCore
