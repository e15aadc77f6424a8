#include "Host/Effects/SettingsEffectParameters.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

bool IsNumber(const PropertyTreeScalar& scalar)
{
    return !scalar.isBool() && !scalar.isString();
}

const char* KindName(const PropertyTreeScalar& scalar)
{
    if (scalar.isBool())
        return "a bool";
    if (scalar.isString())
        return "a text";
    return "a number";
}

} // namespace

SettingsEffectParameters::SettingsEffectParameters(std::vector<Parameter> defaults)
    : m_parameters(std::make_move_iterator(defaults.begin()), std::make_move_iterator(defaults.end()))
{
}

std::vector<std::string> SettingsEffectParameters::GetPropertyNames() const
{
    std::vector<std::string> names;
    names.reserve(m_parameters.size());
    for (const Parameter& parameter : m_parameters)
        names.emplace_back(parameter.name);
    return names;
}

PropertyTree SettingsEffectParameters::GetProperty(const std::string& name) const
{
    return PropertyTree(m_parameters[IndexOf(name)].value);
}

void SettingsEffectParameters::SetProperty(const std::string& name, const PropertyTree& value)
{
    Parameter& parameter = m_parameters[IndexOf(name)];
    const bool sameKind = value.isScalar()
        && (IsNumber(parameter.value) ? IsNumber(value.getScalar())
                                      : parameter.value.isBool() == value.getScalar().isBool()
                                            && parameter.value.isString() == value.getScalar().isString());
    if (!sameKind)
        throw std::invalid_argument("effect \"" + GetClassId() + "\": property \"" + name + "\" must be "
                                    + KindName(parameter.value));
    Assign(parameter.value, value.getScalar());
}

double SettingsEffectParameters::Number(std::size_t index) const
{
    return m_parameters.at(index).value.toDouble();
}

std::int64_t SettingsEffectParameters::Integer(std::size_t index) const
{
    const PropertyTreeScalar& value = m_parameters.at(index).value;
    return value.isDouble() ? std::llround(value.toDouble()) : value.toInt();
}

bool SettingsEffectParameters::Flag(std::size_t index) const
{
    return m_parameters.at(index).value.convertTo<bool>();
}

std::string SettingsEffectParameters::Text(std::size_t index) const
{
    return m_parameters.at(index).value.toString();
}

std::size_t SettingsEffectParameters::IndexOf(const std::string& name) const
{
    const auto it = std::find_if(m_parameters.begin(), m_parameters.end(),
                                 [&name](const Parameter& parameter) { return parameter.name == name; });
    if (it == m_parameters.end())
        throw std::invalid_argument("effect \"" + GetClassId() + "\" has no property \"" + name + "\"");
    return static_cast<std::size_t>(it - m_parameters.begin());
}

} // namespace Tavrel::PhotoCore
