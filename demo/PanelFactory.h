#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace Tavrel {
class ICoreFactories;
}

namespace Tavrel::Demo {

class ToolPanel;

/// The editor's preset panels and what sets them apart: built-in configuration,
/// user configuration, package name, translation contexts and special groups.
class PanelFactory {
public:
    enum class Panel { Looks, Effects };

    static std::vector<Panel> Panels();
    /// The tab's title, translated.
    static QString Title(Panel panel);
    /// Object name of the panel widget ("looksPanel", "effectsPanel").
    static QString ObjectName(Panel panel);
    /// Throws what reading the built-in configuration throws.
    static ToolPanel* Create(Panel panel, const ICoreFactories* coreFactories, QWidget* parent);
};

} // namespace Tavrel::Demo
