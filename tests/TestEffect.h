#pragma once

#include "Host/EffectSettings.h"
#include "Host/ISettingsEffect.h"

#include <boost/exception/get_error_info.hpp>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// An effect with freely chosen properties, so tests control names, kinds
// (double, integer, bool, text) and class ids without the catalogue.
class TestSettingsEffect : public Tavrel::PhotoCore::ISettingsEffect {
public:
    using Properties = std::vector<std::pair<std::string, Tavrel::PropertyTree>>;

    TestSettingsEffect(std::string classId, Properties properties)
        : m_classId(std::move(classId)), m_properties(std::move(properties))
    {
    }

    const std::string& GetClassId() const override { return m_classId; }
    std::unique_ptr<ISettingsEffect> Clone() const override { return std::make_unique<TestSettingsEffect>(*this); }
    std::vector<std::string> GetPropertyNames() const override
    {
        std::vector<std::string> names;
        for (const auto& property : m_properties)
            names.push_back(property.first);
        return names;
    }
    Tavrel::PropertyTree GetProperty(const std::string& name) const override { return Find(*this, name)->second; }
    void SetProperty(const std::string& name, const Tavrel::PropertyTree& value) override
    {
        Find(*this, name)->second = value;
    }

private:
    template <typename Self>
    static auto Find(Self& self, const std::string& name)
    {
        const auto found = std::find_if(self.m_properties.begin(), self.m_properties.end(),
                                        [&](const auto& property) { return property.first == name; });
        if (found == self.m_properties.end())
            throw std::invalid_argument("no property " + name);
        return found;
    }

    std::string m_classId;
    Properties m_properties;
};

inline Tavrel::PhotoCore::IEffectSettings::Ptr MakeEffect(const std::string& classId,
                                                         TestSettingsEffect::Properties properties,
                                                         const std::string& id = {})
{
    auto effect = std::make_shared<Tavrel::PhotoCore::EffectSettings>(
        std::make_unique<TestSettingsEffect>(classId, std::move(properties)));
    if (!id.empty())
        effect->SetId(id);
    return effect;
}

inline Tavrel::PropertyTreeScalar Property(const Tavrel::PhotoCore::IEffectSettings& effect, const std::string& name)
{
    return effect.GetEffectSettings().GetProperty(name).getScalar();
}

inline double Number(const Tavrel::PhotoCore::IEffectSettings& effect, const std::string& name)
{
    return Property(effect, name).toDouble();
}

// The first line of an exception message (the rest is the call stack).
inline std::string FirstLine(const std::exception& error)
{
    const std::string text = error.what();
    return text.substr(0, text.find('\n'));
}

inline std::string ThrowFunction(const std::exception& error)
{
    const auto* info = dynamic_cast<const boost::exception*>(&error);
    const char* const* function = info ? boost::get_error_info<boost::throw_function>(*info) : nullptr;
    return function ? *function : "";
}

inline std::string ThrowFile(const std::exception& error)
{
    const auto* info = dynamic_cast<const boost::exception*>(&error);
    const char* const* file = info ? boost::get_error_info<boost::throw_file>(*info) : nullptr;
    return file ? *file : "";
}
