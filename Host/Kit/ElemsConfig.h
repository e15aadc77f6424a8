#pragma once

#include <QString>

namespace Tavrel::Tessel {

/// One button of an alert box. An empty colour takes the default of its place (the first button
/// is the accented one).
struct ButtonConfig {
    bool visible = false;
    QString color; ///< a ButtonColorProperty value
    QString text;
};

struct CheckBoxConfig {
    bool visible = false;
    QString text;
};

/// The optional elements of an alert box, in their order on screen.
struct ElemsConfig {
    ButtonConfig first;
    ButtonConfig second;
    ButtonConfig third;
    CheckBoxConfig checkBox;
};

} // namespace Tavrel::Tessel
