#pragma once

#include "demo/EditorOptions.h"

#include <QMainWindow>
#include <QThread>

#include <memory>
#include <vector>

class QAction;
class QDockWidget;
class QActionGroup;
class QLabel;
class QMenu;
class QSettings;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace Tavrel {
class CoreFactories;
}

namespace Tavrel::Demo {

class LanguageSwitcher;
class PhotoDocument;
class PhotoView;
class StatisticsDock;
class ToolPanel;

/// The editor's window: the photo in the middle, the preset panels "Looks" and
/// "Effects" in tabs on the right, the usage statistics in a dock, files,
/// history, view and language in menus and a tool bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    /// The photo the editor opens without one given.
    static constexpr const char* SamplePhotoPath = ":/photos/sample.jpg";
    /// File name of the usage log in the data folder.
    static constexpr const char* StatisticsFileName = "statistics.jsonl";

    /// Opens no photo yet: call OpenPhoto.
    explicit MainWindow(const EditorOptions& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Opens the photo; when it cannot be read, says why and keeps the current one. A
    /// preset tried but not confirmed is asked about first; false when the user stays.
    bool OpenPhoto(const QString& path);
    /// Writes the photo with its effects at full resolution, JPEG or PNG by the file's
    /// suffix, on a worker thread once the drawer is idle; exportFinished reports the result
    /// and a failure is also shown to the user.
    void ExportPhoto(const QString& path);

    PhotoDocument* Document() const { return m_document.get(); }
    PhotoView* View() const { return m_view; }
    StatisticsDock* Statistics() const { return m_statistics; }
    /// The panels in tab order; rebuilt when the language changes.
    const std::vector<ToolPanel*>& Panels() const { return m_panels; }
    QTabWidget* PanelTabs() const { return m_tabs; }
    ToolPanel* CurrentPanel() const;
    /// Installs the language's translations and rebuilds the panels in it.
    void SetLanguage(const QString& language);

public slots:
    /// Undo and redo move the drawer's history; each panel then follows the photo.
    void Undo();
    void Redo();
    /// Back to the photo as opened (undoable); every panel's sliders back to their presets.
    void ResetAll();
    /// Confirm or cancel the preset tried in the current panel (Enter, Escape).
    void ApplyPreset();
    void DiscardPreset();

signals:
    void photoOpened(const QString& path);
    /// error is empty on success.
    void exportFinished(const QString& path, const QString& error);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void BuildPanels();
    void ConnectWorkspace();
    void OnTabChanged(int index);
    /// Asks what to do with a preset tried but not confirmed in the panel: apply,
    /// discard, or stay (false).
    bool ConfirmLeaving(ToolPanel* panel);
    bool ConfirmLeavingAll();
    /// Takes a preset being tried off the photo; false when none was.
    bool DiscardTriedPreset();
    /// Every panel marks the preset that made the photo's latest step, or none.
    void FollowThePhoto();
    void Retranslate();
    /// The Language menu marks the language in use.
    void CheckLanguageAction();
    /// Whether a panel has a preset tried and not yet confirmed or cancelled.
    bool PresetTried() const;
    void UpdateHistoryActions();
    void UpdateZoomLabel();
    void ShowError(const QString& title, const QString& text);
    void AskExportPath();
    void FinishExport(const QString& path, const QString& error);
    void AskOpenPath();

    const QString m_configDir;
    const QString m_statisticsPath;
    std::unique_ptr<QSettings> m_settings;
    const std::unique_ptr<LanguageSwitcher> m_languages;
    const std::unique_ptr<CoreFactories> m_coreFactories;
    PhotoView* const m_view;
    StatisticsDock* m_statistics = nullptr;
    QDockWidget* m_toolsDock = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::vector<ToolPanel*> m_panels;
    int m_currentTab = -1;
    std::unique_ptr<PhotoDocument> m_document;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QActionGroup* m_languageGroup = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_resetAllAction = nullptr;
    QAction* m_applyAction = nullptr;
    QAction* m_discardAction = nullptr;
    QAction* m_savePresetAction = nullptr;
    QAction* m_fitAction = nullptr;
    QAction* m_actualSizeAction = nullptr;
    QAction* m_zoomInAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QToolButton* m_originalButton = nullptr;
    QLabel* m_photoLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;

    // Exports run one after another on their own thread, which may wait for the drawer.
    QThread m_exportThread;
    bool m_actionsUpdateQueued = false;
    QObject* m_exporter = nullptr;
};

} // namespace Tavrel::Demo
