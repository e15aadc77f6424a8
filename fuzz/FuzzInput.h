#pragma once

// What every fuzz target does with its input and with a broken promise.

#include "Host/Types/JsonCodec.h"
#include "Host/Types/PropertyTree.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace FuzzInput {

/// Reads the input as the storage reads a configuration file; false for text that is not JSON.
inline bool ParseJson(const std::uint8_t* data, std::size_t size, Tavrel::PropertyTree& tree)
{
    std::string error;
    return Tavrel::PhotoUtil::JsonCodec::TryParse(std::string_view(reinterpret_cast<const char*>(data), size), tree,
                                                  error);
}

/// Stops the run so that libFuzzer keeps the input: a property the program promises does not hold.
[[noreturn]] inline void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

} // namespace FuzzInput
