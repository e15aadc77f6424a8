#pragma once

#include <stdexcept>

namespace Tavrel::PhotoUtil {

/// Thrown when a configuration cannot be read, parsed or stored.
class BaseConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace Tavrel::PhotoUtil
