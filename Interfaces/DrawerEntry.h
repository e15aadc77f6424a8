#pragma once

#include "Host/Effects/EffectsSettings.h"

namespace Tavrel::PhotoCore {

/// One entry of the drawer's history: the effects it rendered on top of the entries before it.
struct DrawerEntry {
    EffectsSettings settings;
};

} // namespace Tavrel::PhotoCore
