#pragma once

#include "Host/Types/PropertyTreeScalar.h"

#include <boost/container/flat_map.hpp>

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace Tavrel {

/// Thrown when a tree is asked for a kind it does not hold.
class PropertyTreeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A configuration value: null, a scalar, a list of trees or a map from text keys to trees.
class PropertyTree {
public:
    // A sorted vector: configuration maps are small and read far more often than
    // changed, and one allocation per map instead of one per key halves load time.
    using Map = boost::container::flat_map<std::string, PropertyTree>;
    using List = std::vector<PropertyTree>;

    PropertyTree() = default;
    PropertyTree(PropertyTreeScalar scalar) : m_value(std::move(scalar)) {}
    /// Takes over a finished list or map without copying its elements.
    explicit PropertyTree(List list) : m_value(std::move(list)) {}
    explicit PropertyTree(Map map) : m_value(std::move(map)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isScalar() const { return std::holds_alternative<PropertyTreeScalar>(m_value); }
    bool isList() const { return std::holds_alternative<List>(m_value); }

    /// Make the tree a map (or list); a tree that already is one keeps its content.
    void convertToMap();
    void convertToList();

    /// Access to the held map, list or scalar; PropertyTreeError when the tree is another kind.
    Map& getMap();
    const Map& getMap() const;
    List& getList();
    const List& getList() const;
    const PropertyTreeScalar& getScalar() const;

    bool operator==(const PropertyTree& other) const { return m_value == other.m_value; }
    bool operator!=(const PropertyTree& other) const { return !(*this == other); }

private:
    std::variant<std::monostate, PropertyTreeScalar, List, Map> m_value;
};

} // namespace Tavrel
