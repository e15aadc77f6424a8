#include "demo/ToolPanel.h"

#include "Host/Kit/InputNameDialog.h"
#include "Interfaces/IWorkspaceController.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace Tavrel::Demo {

using Glimmar::GlimmarPresets::PresetListWithGroups;

namespace {

// The photo's effects: every history entry up to the current position, in order, but the
// confirmations, which change nothing.
PhotoCore::EffectsSettings CurrentEffects(PhotoCore::IPhotoCoreDrawer& drawer)
{
    PhotoCore::EffectsSettings effects;
    for (int position = 0; position < drawer.GetCurrentPosition(); ++position) {
        const PhotoCore::DrawerEntry entry = drawer.GetEntry(position);
        if (entry.settings.IsReset())
            continue;
        for (const auto& effect : entry.settings.Effects())
            effects.Effects().push_back(effect->Clone());
    }
    return effects;
}

} // namespace

ToolPanel::ToolPanel(const ICoreFactories* coreFactories, PresetListWithGroups::Initializer initializer, QWidget* parent)
    : QWidget(parent)
{
    initializer.packageInfo = &m_packageInfo;
    m_list = new PresetListWithGroups(coreFactories, initializer, this);
    m_saveButton = new QPushButton(tr("Save as preset…"), this);
    m_saveButton->setObjectName("savePresetButton");
    connect(m_saveButton, &QPushButton::clicked, this, &ToolPanel::SaveCurrentEffectsAsPreset);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    // The selector sits above the list, full width, as the editor's panels show it.
    layout->addWidget(m_list->GetGroupsCombobox());
    layout->addWidget(m_list, 1);
    layout->addWidget(m_saveButton);
}

ToolPanel::~ToolPanel() { delete m_list; }

void ToolPanel::SetWorkspaceController(const std::shared_ptr<PhotoCore::IWorkspaceController>& controller)
{
    m_workspace = controller;
    m_list->SetWorkspaceController(controller);
    // The tiles' previews are drawn from the photo.
    m_list->Update();
}

void ToolPanel::SaveCurrentEffectsAsPreset()
{
    // The user saves what the photo shows: a preset being tried is kept.
    if (m_list->HasChanges())
        m_list->ApplyCurrentPreset();
    const std::shared_ptr<PhotoCore::IWorkspaceController> workspace = m_workspace.lock();
    const PhotoCore::EffectsSettings effects = workspace ? CurrentEffects(*workspace->GetDrawer()) : PhotoCore::EffectsSettings();
    if (effects.Effects().empty()) {
        QMessageBox::information(this, tr("Save as preset"),
                                 tr("The photo has no effects yet: try a preset or two first, then save them as your own."));
        return;
    }
    InputNameDialog dialog(this);
    dialog.Setup(tr("Save as preset"), tr("Save"), tr("Cancel"), tr("A preset with this name exists already."),
                 tr("My preset"));
    dialog.Show(
        [&](const QString& name) {
            if (m_list->AddUserPreset(name.trimmed(), "user", effects, false)) {
                // The new preset is what the photo shows already, not a preset being tried.
                m_list->ActivateCurrentPreset();
                return true;
            }
            dialog.OnInputError();
            return false;
        },
        [] {});
}


} // namespace Tavrel::Demo
