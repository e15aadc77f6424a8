#include "Host/Types/PropertyTreeScalar.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace Tavrel {
namespace {

template <typename... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <typename... F>
Overloaded(F...) -> Overloaded<F...>;

std::int64_t parseInt(const std::string& text)
{
    std::int64_t result = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, result);
    if (ec == std::errc::result_out_of_range)
        throw std::out_of_range("PropertyTreeScalar: \"" + text + "\" is out of the 64-bit integer range");
    if (ec != std::errc() || ptr != end)
        throw std::invalid_argument("PropertyTreeScalar: \"" + text + "\" is not an integer");
    return result;
}

double parseDouble(const std::string& text)
{
    double result = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, result);
    if (ec != std::errc() || ptr != end)
        throw std::invalid_argument("PropertyTreeScalar: \"" + text + "\" is not a number");
    return result;
}

} // namespace

std::string PropertyTreeScalar::toString() const
{
    return std::visit(Overloaded{
                          [](const std::string& s) { return s; },
                          [](bool b) { return std::string(b ? "true" : "false"); },
                          [](std::int64_t i) { return std::to_string(i); },
                          [](double d) {
                              std::array<char, 32> buffer{};
                              const auto [ptr, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), d);
                              return std::string(buffer.data(), ptr);
                          },
                      },
                      m_value);
}

const char* PropertyTreeScalar::toCString() const
{
    return toStringView().data();
}

std::string_view PropertyTreeScalar::toStringView() const
{
    if (const auto* s = std::get_if<std::string>(&m_value))
        return *s;
    throw std::invalid_argument("PropertyTreeScalar: expected a string, found " + toString());
}

std::int64_t PropertyTreeScalar::toInt() const
{
    return std::visit(Overloaded{
                          [](const std::string& s) { return parseInt(s); },
                          [](bool b) { return std::int64_t{b}; },
                          [](std::int64_t i) { return i; },
                          [](double d) {
                              // The range check must be done in double: casting an out-of-range double is undefined.
                              if (!(d >= -0x1p63 && d < 0x1p63))
                                  throw std::out_of_range("PropertyTreeScalar: " + std::to_string(d) +
                                                          " does not fit a 64-bit integer");
                              return static_cast<std::int64_t>(d);
                          },
                      },
                      m_value);
}

double PropertyTreeScalar::toDouble() const
{
    return std::visit(Overloaded{
                          [](const std::string& s) { return parseDouble(s); },
                          [](bool b) { return b ? 1.0 : 0.0; },
                          [](std::int64_t i) { return static_cast<double>(i); },
                          [](double d) { return d; },
                      },
                      m_value);
}

template <>
std::string PropertyTreeScalar::convertTo<std::string>() const
{
    return toString();
}

template <>
bool PropertyTreeScalar::convertTo<bool>() const
{
    return std::visit(Overloaded{
                          [](const std::string& s) {
                              if (s == "true" || s == "1")
                                  return true;
                              if (s == "false" || s == "0")
                                  return false;
                              throw std::invalid_argument("PropertyTreeScalar: \"" + s + "\" is not a bool");
                          },
                          [](bool b) { return b; },
                          [](std::int64_t i) { return i != 0; },
                          [](double d) { return d != 0.0; },
                      },
                      m_value);
}

} // namespace Tavrel
