#pragma once

#include "Host/Effects/ISettingsPainter.h"

namespace Tavrel::PhotoCore {

/// Painter of effects that take the photo as their one input and need nothing
/// else; the painter class of user presets. Commits its paint as a plain entry.
class SettingsPainterOneInputEffectStub : public ISettingsPainter {
public:
    static const std::string CLASS_ID;

    const std::string& GetClassId() const override;
};

} // namespace Tavrel::PhotoCore
