#include "Host/ISettingsPainter.h"

#include "Host/SettingsPainterEffectsPackage.h"
#include "Host/SettingsPainterOneInputEffectStub.h"

namespace Tavrel::PhotoCore {

std::shared_ptr<ISettingsPainter> ISettingsPainter::CreatePainterSettings(const std::string& painterClassId)
{
    if (painterClassId == SettingsPainterOneInputEffectStub::CLASS_ID)
        return std::make_shared<SettingsPainterOneInputEffectStub>();
    return std::make_shared<SettingsPainterEffectsPackage>();
}

} // namespace Tavrel::PhotoCore
