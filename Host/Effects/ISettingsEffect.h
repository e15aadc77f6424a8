#pragma once

#include "Host/Types/PropertyTree.h"

#include <memory>
#include <string>
#include <vector>

namespace Tavrel::PhotoCore {

/// The settings object inside an effect: its class identifier and its named
/// properties. Properties are read and written as PropertyTree values; numeric
/// ones keep the form (integer or double) they were last written in.
class ISettingsEffect {
public:
    virtual ~ISettingsEffect() = default;

    virtual const std::string& GetClassId() const = 0;
    /// An independent copy, nested effects included.
    virtual std::unique_ptr<ISettingsEffect> Clone() const = 0;

    /// Property names in a fixed order.
    virtual std::vector<std::string> GetPropertyNames() const = 0;
    /// Throws std::invalid_argument for an unknown name.
    virtual PropertyTree GetProperty(const std::string& name) const = 0;
    /// Throws std::invalid_argument for an unknown name or a value of the wrong kind.
    virtual void SetProperty(const std::string& name, const PropertyTree& value) = 0;
};

} // namespace Tavrel::PhotoCore
