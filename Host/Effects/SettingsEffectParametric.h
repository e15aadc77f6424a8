#pragma once

#include "Host/Effects/SettingsEffectParameters.h"

#include <memory>

namespace Tavrel::PhotoCore {

/// Class identifier and cloning for a parameter-table effect D, which declares
/// `static const std::string CLASS_ID` and passes its defaults to this base.
template <typename D>
class SettingsEffectParametric : public SettingsEffectParameters {
public:
    const std::string& GetClassId() const override { return D::CLASS_ID; }
    std::unique_ptr<ISettingsEffect> Clone() const override
    {
        return std::make_unique<D>(static_cast<const D&>(*this));
    }

protected:
    explicit SettingsEffectParametric(std::vector<Parameter> defaults)
        : SettingsEffectParameters(std::move(defaults))
    {
    }
};

} // namespace Tavrel::PhotoCore
