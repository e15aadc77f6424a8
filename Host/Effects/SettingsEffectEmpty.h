#pragma once

#include "Host/Effects/ISettingsEffect.h"

namespace Tavrel::PhotoCore {

/// Settings of the effect that applies nothing; it has no properties.
class SettingsEffectEmpty : public ISettingsEffect {
public:
    static const std::string CLASS_ID;

    const std::string& GetClassId() const override;
    std::unique_ptr<ISettingsEffect> Clone() const override;
    std::vector<std::string> GetPropertyNames() const override;
    PropertyTree GetProperty(const std::string& name) const override;
    void SetProperty(const std::string& name, const PropertyTree& value) override;
};

} // namespace Tavrel::PhotoCore
