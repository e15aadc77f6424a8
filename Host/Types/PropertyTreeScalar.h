#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace Tavrel {

/// One scalar of a PropertyTree: a text, a bool, a 64-bit integer or a double.
///
/// A value keeps the form it was made in: a double 2.0 stays a double and an
/// integer keeps all its digits. The readers convert between forms where that
/// is meaningful and throw std::invalid_argument or std::out_of_range where not.
class PropertyTreeScalar {
public:
    PropertyTreeScalar(std::string value) : m_value(std::move(value)) {}
    PropertyTreeScalar(const char* value) : m_value(std::string(value)) {}
    PropertyTreeScalar(bool value) : m_value(value) {}
    PropertyTreeScalar(double value) : m_value(value) {}
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    PropertyTreeScalar(T value) : m_value(static_cast<std::int64_t>(value)) {}

    bool isBool() const { return std::holds_alternative<bool>(m_value); }
    bool isDouble() const { return std::holds_alternative<double>(m_value); }
    bool isString() const { return std::holds_alternative<std::string>(m_value); }

    /// Text form: strings as they are, numbers in their shortest exact form,
    /// bools as "true" / "false".
    std::string toString() const;
    /// The held text; throws std::invalid_argument when the scalar is not a string.
    const char* toCString() const;
    /// As toCString, without measuring the text.
    std::string_view toStringView() const;
    /// Integers as they are, doubles truncated, bools as 0 / 1, texts parsed.
    std::int64_t toInt() const;
    double toDouble() const;

    /// Conversion to std::string (as toString) or bool (numbers: non-zero;
    /// texts: "true", "false", "1", "0").
    template <typename T>
    T convertTo() const;

    bool operator==(const PropertyTreeScalar& other) const { return m_value == other.m_value; }
    bool operator!=(const PropertyTreeScalar& other) const { return !(*this == other); }

private:
    std::variant<std::string, bool, std::int64_t, double> m_value;
};

template <>
std::string PropertyTreeScalar::convertTo<std::string>() const;
template <>
bool PropertyTreeScalar::convertTo<bool>() const;

} // namespace Tavrel
