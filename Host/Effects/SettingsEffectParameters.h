#pragma once

#include "Host/Effects/ISettingsEffect.h"

#include <boost/container/small_vector.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Tavrel::PhotoCore {

/// Settings made of a fixed, ordered table of named scalar parameters.
///
/// A parameter's kind is that of its default: numeric parameters accept an
/// integer or a double and keep the form written (2.0 stays a double); bool and
/// text parameters accept only their own kind. The renderer reads parameters
/// by index through Number, Integer, Flag and Text.
class SettingsEffectParameters : public ISettingsEffect {
public:
    struct Parameter {
        std::string_view name; ///< a literal: the table is copied into every new effect
        PropertyTreeScalar value;
    };

    std::vector<std::string> GetPropertyNames() const override;
    PropertyTree GetProperty(const std::string& name) const override;
    void SetProperty(const std::string& name, const PropertyTree& value) override;

    /// The numeric parameter at index as a double.
    double Number(std::size_t index) const;
    /// The numeric parameter at index rounded to the nearest whole number.
    std::int64_t Integer(std::size_t index) const;
    bool Flag(std::size_t index) const;
    /// The text parameter at index.
    std::string Text(std::size_t index) const;

protected:
    explicit SettingsEffectParameters(std::vector<Parameter> defaults);

private:
    std::size_t IndexOf(const std::string& name) const;

    // Inline: effects are made by the thousand when a configuration is read.
    boost::container::small_vector<Parameter, 4> m_parameters;
};

} // namespace Tavrel::PhotoCore
