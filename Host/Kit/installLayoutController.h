#pragma once

class QWidget;

namespace Tavrel::Util {

/// Keeps the widget's layout from being squeezed: the widget's minimum height follows what its layout
/// needs at the current width (word-wrapped labels included) and is updated whenever the contents or
/// the width change. The controller is a child of the widget.
void installLayoutController(QWidget* widget);

} // namespace Tavrel::Util
