#pragma once

#include "Host/Effects/IEffectSettings.h"

#include <string>

namespace Tavrel::PhotoCore {

/// Reads and writes one named numeric parameter of an effect.
class InvokeEffectHelper {
public:
    /// The parameter as a double; std::invalid_argument when the effect has no
    /// such parameter or it is not numeric.
    static double InvokeGet(const std::string& parameter, const IEffectSettings& effect);
    /// Writes the parameter as a double; same failures as InvokeGet.
    static void InvokeSet(const std::string& parameter, IEffectSettings& effect, double value);
};

} // namespace Tavrel::PhotoCore
