#pragma once

#include "demo/EditorOptions.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSettings;
class QToolBar;
class QToolButton;

namespace Tavrel::Demo {

class PhotoDocument;
class PhotoView;
class StatisticsDock;

/// The editor's window: the photo in the middle, the usage statistics in a dock,
/// files, history and view in menus and a tool bar.
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

    /// Opens the photo; when it cannot be read, says why and keeps the current one.
    bool OpenPhoto(const QString& path);
    /// Writes the photo with its effects at full resolution, JPEG or PNG by the file's
    /// suffix, on a worker thread once the drawer is idle; exportFinished reports the result
    /// and a failure is also shown to the user.
    void ExportPhoto(const QString& path);

    PhotoDocument* Document() const { return m_document.get(); }
    PhotoView* View() const { return m_view; }
    StatisticsDock* Statistics() const { return m_statistics; }

public slots:
    void Undo();
    void Redo();
    void ResetAll();

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
    void Retranslate();
    void UpdateHistoryActions();
    void UpdateZoomLabel();
    void ShowError(const QString& title, const QString& text);
    void AskExportPath();
    void AskOpenPath();

    const QString m_configDir;
    const QString m_statisticsPath;
    std::unique_ptr<QSettings> m_settings;
    PhotoView* const m_view;
    StatisticsDock* m_statistics = nullptr;
    std::unique_ptr<PhotoDocument> m_document;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_exportAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_resetAllAction = nullptr;
    QAction* m_fitAction = nullptr;
    QAction* m_actualSizeAction = nullptr;
    QAction* m_zoomInAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QToolButton* m_originalButton = nullptr;
    QLabel* m_photoLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
};

} // namespace Tavrel::Demo
