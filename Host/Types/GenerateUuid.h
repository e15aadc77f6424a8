#pragma once

#include <QString>

namespace Tavrel {

/// A new random (version 4) UUID as text without braces, different at every call.
QString GenerateUuid();

} // namespace Tavrel
