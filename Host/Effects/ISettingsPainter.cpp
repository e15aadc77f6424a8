#include "Host/Effects/ISettingsPainter.h"

#include "Host/Effects/SettingsPainterEffectsPackage.h"
#include "Host/Effects/SettingsPainterOneInputEffectStub.h"

namespace Tavrel::PhotoCore {

std::shared_ptr<ISettingsPainter> ISettingsPainter::CreatePainterSettings(const std::string& painterClassId)
{
    if (painterClassId == SettingsPainterOneInputEffectStub::CLASS_ID)
        return std::make_shared<SettingsPainterOneInputEffectStub>();
    return std::make_shared<SettingsPainterEffectsPackage>();
}

} // namespace Tavrel::PhotoCore
