#pragma once

class QWidget;

namespace Tavrel::Util {

/// Style sheets evaluate dynamic-property selectors only when a widget is polished; this re-polishes.
class FixWidgetStyle {
public:
    /// Re-polishes the widget and all its child widgets and repaints them.
    static void Apply(QWidget* widget);
};

} // namespace Tavrel::Util
