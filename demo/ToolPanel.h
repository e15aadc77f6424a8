#pragma once

#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"
#include "Host/Types/PackageInfo.h"

#include <QWidget>

#include <memory>

class QPushButton;

namespace Tavrel {
class ICoreFactories;
namespace PhotoCore {
class IWorkspaceController;
}
} // namespace Tavrel

namespace Tavrel::Demo {

/// One tool panel: the group selector on top of its preset list and a
/// "Save as preset…" button under it. Built again when the language changes.
class ToolPanel : public QWidget {
    Q_OBJECT
public:
    /// initializer.packageInfo is replaced by the panel's own record.
    ToolPanel(const ICoreFactories* coreFactories, Glimmar::GlimmarPresets::PresetListWithGroups::Initializer initializer,
              QWidget* parent = nullptr);
    /// Destroys the list (which writes its user configuration) while the package record lives.
    ~ToolPanel() override;

    Glimmar::GlimmarPresets::PresetListWithGroups& List() const { return *m_list; }
    void SetWorkspaceController(const std::shared_ptr<PhotoCore::IWorkspaceController>& controller);

    /// Asks for a name and adds the photo's effects as a user preset of this panel.
    void SaveCurrentEffectsAsPreset();

private:
    PhotoCore::PackageInfo m_packageInfo;
    std::weak_ptr<PhotoCore::IWorkspaceController> m_workspace;
    Glimmar::GlimmarPresets::PresetListWithGroups* m_list = nullptr;
    QPushButton* m_saveButton = nullptr;
};

} // namespace Tavrel::Demo
