#pragma once

class QString;
class QWidget;

namespace Tavrel::Util {

/// Sets the widget's dynamic property to the text and re-polishes the widget (and its children),
/// so that style sheet rules selecting on `[property="value"]` take effect.
void ApplyWidgetStyle(QWidget* widget, const QString& value, const char* property);

} // namespace Tavrel::Util
