#include "Host/Effects/SettingsPainterOneInputEffectStub.h"

namespace Tavrel::PhotoCore {

const std::string SettingsPainterOneInputEffectStub::CLASS_ID = "SettingsPainterOneInputEffectStub";

const std::string& SettingsPainterOneInputEffectStub::GetClassId() const { return CLASS_ID; }

} // namespace Tavrel::PhotoCore
