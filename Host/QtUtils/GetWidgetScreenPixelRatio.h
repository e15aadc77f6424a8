#pragma once

#include <QtGlobal>

class QWidget;

namespace Tavrel {

/// The device pixel ratio of the screen the widget is shown on; the application's for a null widget.
qreal GetWidgetScreenPixelRatio(const QWidget* widget);

} // namespace Tavrel
