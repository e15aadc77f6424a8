#include "Host/Effects/SettingsPainterEffectsPackage.h"

namespace Tavrel::PhotoCore {

const std::string SettingsPainterEffectsPackage::CLASS_ID = "SettingsPainterEffectsPackage";

const std::string& SettingsPainterEffectsPackage::GetClassId() const { return CLASS_ID; }

} // namespace Tavrel::PhotoCore
