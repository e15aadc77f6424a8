#include "Host/Types/PropertyTree.h"

namespace Tavrel {
namespace {

const char* kindName(std::size_t index)
{
    static const char* const names[] = {"null", "a scalar", "a list", "a map"};
    return names[index];
}

[[noreturn]] void throwKind(const char* expected, std::size_t found)
{
    throw PropertyTreeError(std::string("PropertyTree: expected ") + expected + ", found " + kindName(found));
}

template <typename T, typename V>
auto& get(V& value, const char* expected)
{
    if (auto* held = std::get_if<T>(&value))
        return *held;
    throwKind(expected, value.index());
}

} // namespace

void PropertyTree::convertToMap()
{
    if (!std::holds_alternative<Map>(m_value))
        m_value = Map{};
}

void PropertyTree::convertToList()
{
    if (!isList())
        m_value = List{};
}

PropertyTree::Map& PropertyTree::getMap() { return get<Map>(m_value, "a map"); }
const PropertyTree::Map& PropertyTree::getMap() const { return get<Map>(m_value, "a map"); }
PropertyTree::List& PropertyTree::getList() { return get<List>(m_value, "a list"); }
const PropertyTree::List& PropertyTree::getList() const { return get<List>(m_value, "a list"); }
const PropertyTreeScalar& PropertyTree::getScalar() const { return get<PropertyTreeScalar>(m_value, "a scalar"); }

} // namespace Tavrel
