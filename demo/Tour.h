#pragma once

#include "demo/EditorOptions.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

class QImage;
class QListView;

namespace Tavrel::Glimmar::GlimmarPresets {
class PresetWidget;
}

namespace Tavrel::Demo {

class MainWindow;
class ToolPanel;

/// The guided tour: a scripted session through the real window, as a user would
/// click it. After each step it saves a numbered screenshot of the window; at the
/// end the folder also holds the usage log, the exported photo and summary.txt.
class Tour {
public:
    /// The window's usage log and configuration must point into folder (see Options).
    Tour(MainWindow& window, const QString& folder);

    /// Editor options that keep everything the tour writes in folder, starting from
    /// the built-in presets: its earlier configuration is removed.
    static EditorOptions Options(const QString& folder);

    /// Runs every step; false when one failed (summary.txt and stderr say which).
    bool Run();

private:
    /// Runs the action, then saves the screenshot "<number>-<name>.png".
    void Step(const QString& name, const QString& title, const std::function<void()>& action);
    /// Lets the drawer finish and the window show the result.
    void Settle();
    void WriteSummary(bool finished) const;

    // What a user does in a panel (tab), with presets found by their identifiers.
    ToolPanel& Panel(int tab) const;
    QListView& View(int tab) const;
    void ChooseGroup(int tab, const QString& untranslatedName);
    /// The preset's tile, scrolled into view; throws when the shown group lacks it.
    Glimmar::GlimmarPresets::PresetWidget& Tile(int tab, const QString& presetId);
    void ClickTilePart(int tab, const QString& presetId, const char* part);
    void DragIntensity(int tab, const QString& presetId, double toFraction);
    void ChooseFromSettingsMenu(int tab, const QString& presetId, int entry);
    QString UserPresetId(int tab, const QString& name);
    void SwitchTab(int tab);
    /// Throws what when the photo on screen did (not) change from before.
    void ExpectChange(const QImage& before, bool changed, const char* what);

    MainWindow& m_window;
    const QDir m_folder;
    QStringList m_summary;
    int m_step = 0;
};

} // namespace Tavrel::Demo
