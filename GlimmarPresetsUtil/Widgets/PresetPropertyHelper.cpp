#include "GlimmarPresetsUtil/Widgets/PresetPropertyHelper.h"

namespace Tavrel::Glimmar::GlimmarPresets {

PresetPropertyHelper::PresetPropertyHelper(QWidget* widget, QObject* parent) : PropertyProviderBase(widget, parent) {}

PresetPropertyHelper::~PresetPropertyHelper() = default;

} // namespace Tavrel::Glimmar::GlimmarPresets
