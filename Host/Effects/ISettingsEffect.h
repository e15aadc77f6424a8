#pragma once

#include "Host/Types/PropertyTree.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
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

    /// A change counter: it moves on with every change of the settings, those of nested
    /// effects included, and a copy starts with one of its own. All settings objects draw from
    /// one counter, so a change anywhere gives a number above every earlier one: while an
    /// object lives, the same revision means the same settings.
    virtual std::uint64_t GetRevision() const;

protected:
    ISettingsEffect();
    ISettingsEffect(const ISettingsEffect& other);
    ISettingsEffect& operator=(const ISettingsEffect& other);

    /// Every change of the settings calls this.
    void Changed();
    /// Sets field to value, and counts a change only when they differ.
    template <typename T, typename U>
    void Assign(T& field, U&& value)
    {
        if (field == value)
            return;
        field = std::forward<U>(value);
        Changed();
    }

private:
    std::uint64_t m_revision;
};

} // namespace Tavrel::PhotoCore
