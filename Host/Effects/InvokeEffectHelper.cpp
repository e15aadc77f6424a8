#include "Host/Effects/InvokeEffectHelper.h"

#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

void RequireNumber(const PropertyTree& value, const std::string& parameter, const IEffectSettings& effect)
{
    if (!value.isScalar() || value.getScalar().isBool() || value.getScalar().isString())
        throw std::invalid_argument("effect \"" + effect.GetId() + "\": parameter \"" + parameter
                                    + "\" is not numeric");
}

} // namespace

double InvokeEffectHelper::InvokeGet(const std::string& parameter, const IEffectSettings& effect)
{
    const PropertyTree value = effect.GetEffectSettings().GetProperty(parameter);
    RequireNumber(value, parameter, effect);
    return value.getScalar().toDouble();
}

void InvokeEffectHelper::InvokeSet(const std::string& parameter, IEffectSettings& effect, double value)
{
    ISettingsEffect& settings = effect.GetEffectSettingsRef();
    RequireNumber(settings.GetProperty(parameter), parameter, effect);
    settings.SetProperty(parameter, PropertyTree(value));
}

} // namespace Tavrel::PhotoCore
