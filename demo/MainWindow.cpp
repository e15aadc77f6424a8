#include "demo/MainWindow.h"

#include "demo/LanguageSwitcher.h"
#include "demo/PanelFactory.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/StatisticsDock.h"
#include "demo/ToolPanel.h"

#include "Host/Drawer/WorkspaceController.h"
#include "Host/Kit/ButtonColorProperty.h"
#include "Host/Kit/TesselAlertBox.h"
#include "Host/QtUtils/ThreadHandOver.h"
#include "Host/QtUtils/ImageFile.h"
#include "Host/Resources/CoreFactories.h"
#include "Host/Types/BaseConfig.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPalette>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace Tavrel::Demo {

namespace {

QString FolderOr(const QString& folder, QStandardPaths::StandardLocation fallback)
{
    const QString path = folder.isEmpty() ? QStandardPaths::writableLocation(fallback) : folder;
    QDir().mkpath(path);
    return QDir(path).absolutePath();
}

// The image format for an export path, from its suffix; empty when it is neither JPEG nor PNG.
QByteArray ExportFormat(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "jpg" || suffix == "jpeg")
        return "jpeg";
    if (suffix == "png")
        return "png";
    return {};
}

// Holding this key shows the original photo.
constexpr int OriginalKey = Qt::Key_Backslash;

// The history keeps states of the photo at full size.
constexpr qint64 MaxPhotoPixels = 100'000'000;

} // namespace

MainWindow::MainWindow(const EditorOptions& options, QWidget* parent)
    : QMainWindow(parent),
      m_configDir(FolderOr(options.configDir, QStandardPaths::AppConfigLocation)),
      m_statisticsPath(QDir(FolderOr(options.dataDir, QStandardPaths::AppDataLocation)).filePath(StatisticsFileName)),
      m_settings(std::make_unique<QSettings>(QDir(m_configDir).filePath("GlimmarDemo.ini"), QSettings::IniFormat)),
      m_languages(std::make_unique<LanguageSwitcher>()),
      m_coreFactories(std::make_unique<CoreFactories>()),
      m_view(new PhotoView(this)),
      m_exporter(new QObject)
{
    setObjectName("mainWindow");
    m_exportThread.setObjectName("Export");
    m_exporter->moveToThread(&m_exportThread);
    connect(&m_exportThread, &QThread::finished, m_exporter, &QObject::deleteLater);
    m_exportThread.start();
    // The editor's look, dark around the photo; the preset tiles take their geometry from the style sheet.
    if (qApp->styleSheet().isEmpty()) {
        QApplication::setStyle("Fusion");
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2b, 0x2d, 0x31));
        dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
        dark.setColor(QPalette::Base, QColor(0x1f, 0x20, 0x23));
        dark.setColor(QPalette::AlternateBase, QColor(0x26, 0x28, 0x2c));
        dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
        dark.setColor(QPalette::Button, QColor(0x35, 0x37, 0x3c));
        dark.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
        dark.setColor(QPalette::ToolTipBase, QColor(0x35, 0x37, 0x3c));
        dark.setColor(QPalette::ToolTipText, QColor(0xe6, 0xe6, 0xe6));
        dark.setColor(QPalette::Highlight, QColor(0x3d, 0x8b, 0xfd));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
        dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
        dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
        QApplication::setPalette(dark);
        QFile style(":/styles/glimmar.qss");
        if (style.open(QIODevice::ReadOnly))
            qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
    }
    PhotoUtil::BaseConfig::SetStorageFolder(m_configDir);
    setCentralWidget(m_view);
    setAcceptDrops(true);
    setDockOptions(AnimatedDocks | AllowTabbedDocks);

    m_statistics = new StatisticsDock(m_statisticsPath, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_statistics);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("panelTabs");
    m_tabs->setDocumentMode(true);
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::OnTabChanged);
    m_toolsDock = new QDockWidget(this);
    m_toolsDock->setObjectName("toolsDock");
    m_toolsDock->setFeatures(QDockWidget::DockWidgetMovable);
    m_toolsDock->setTitleBarWidget(new QWidget(m_toolsDock));
    m_toolsDock->setWidget(m_tabs);
    addDockWidget(Qt::RightDockWidgetArea, m_toolsDock);

    CreateActions();
    CreateMenus();
    m_photoLabel = new QLabel(this);
    m_zoomLabel = new QLabel(this);
    statusBar()->addWidget(m_photoLabel, 1);
    statusBar()->addPermanentWidget(m_zoomLabel);
    connect(m_view, &PhotoView::zoomChanged, this, &MainWindow::UpdateZoomLabel);

    QString language = options.language;
    if (language.isEmpty())
        language = m_settings->value("language", LanguageSwitcher::SystemLanguage()).toString();
    m_languages->SetLanguage(language);
    CheckLanguageAction();
    BuildPanels();

    Retranslate();
    UpdateHistoryActions();
    resize(1360, 860);
    resizeDocks({m_statistics}, {150}, Qt::Vertical);
    resizeDocks({m_toolsDock}, {290}, Qt::Horizontal);
    restoreGeometry(m_settings->value("window/geometry").toByteArray());
    restoreState(m_settings->value("window/state").toByteArray());
    qApp->installEventFilter(this);
}

// The panels go first: destroying them writes the user configurations while the document lives.
MainWindow::~MainWindow()
{
    // An export under way ends first; those still queued are dropped, as is the report to us.
    m_exportThread.quit();
    m_exportThread.wait();
    qApp->removeEventFilter(this);
    m_tabs->blockSignals(true);
    for (ToolPanel* panel : m_panels)
        delete panel;
}

void MainWindow::BuildPanels()
{
    const QSignalBlocker blocker(m_tabs);
    const int shown = m_currentTab >= 0 ? m_currentTab : m_settings->value("panel", 0).toInt();
    for (ToolPanel* panel : m_panels)
        delete panel;
    m_panels.clear();
    for (PanelFactory::Panel kind : PanelFactory::Panels()) {
        ToolPanel* panel = PanelFactory::Create(kind, m_coreFactories.get(), m_tabs);
        m_tabs->addTab(panel, PanelFactory::Title(kind));
        m_panels.push_back(panel);
    }
    m_currentTab = std::clamp(shown, 0, m_tabs->count() - 1);
    m_tabs->setCurrentIndex(m_currentTab);
    ConnectWorkspace();
}

void MainWindow::ConnectWorkspace()
{
    if (!m_document)
        return;
    for (ToolPanel* panel : m_panels)
        panel->SetWorkspaceController(m_document->Workspace());
    FollowThePhoto();
}

ToolPanel* MainWindow::CurrentPanel() const
{
    return m_currentTab >= 0 && m_currentTab < int(m_panels.size()) ? m_panels[m_currentTab] : nullptr;
}

void MainWindow::OnTabChanged(int index)
{
    if (index == m_currentTab)
        return;
    if (!ConfirmLeaving(CurrentPanel())) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_currentTab);
        return;
    }
    m_currentTab = index;
    m_settings->setValue("panel", index);
}

bool MainWindow::ConfirmLeaving(ToolPanel* panel)
{
    if (!panel || !panel->List().HasChanges())
        return true;
    using namespace Tessel::ButtonColorProperty;
    const Tessel::ElemsConfig buttons{{true, LEVEL_ONE, tr("Apply")}, {true, LEVEL_ZERO, tr("Discard")},
                                      {true, LEVEL_ZERO_LINK, tr("Stay")}, {false, {}}};
    Tessel::TesselAlertBox box(tr("Keep the preset you are trying?"),
                               tr("The preset on the photo is not confirmed yet."), this, buttons);
    box.setObjectName("confirmLeavingBox");
    switch (box.Exec()) {
    case 0:
        panel->List().ApplyCurrentPreset();
        return true;
    case 1:
        panel->List().DiscardCurrentPreset();
        return true;
    default:
        return false;
    }
}

bool MainWindow::ConfirmLeavingAll()
{
    return std::all_of(m_panels.begin(), m_panels.end(), [this](ToolPanel* panel) { return ConfirmLeaving(panel); });
}

void MainWindow::CheckLanguageAction()
{
    m_languageGroup->actions().at(std::max(0, int(LanguageSwitcher::Languages().indexOf(m_languages->Language()))))->setChecked(true);
}

void MainWindow::SetLanguage(const QString& language)
{
    // The panels are built anew: a preset being tried is kept or dropped first.
    if (!ConfirmLeavingAll()) {
        CheckLanguageAction();
        return;
    }
    m_languages->SetLanguage(language);
    m_settings->setValue("language", m_languages->Language());
    // The lists take their texts when they are built.
    BuildPanels();
}

void MainWindow::CreateActions()
{
    m_openAction = new QAction(this);
    m_openAction->setObjectName("actionOpen");
    m_openAction->setShortcut(QKeySequence::Open);
    connect(m_openAction, &QAction::triggered, this, &MainWindow::AskOpenPath);

    m_exportAction = new QAction(this);
    m_exportAction->setObjectName("actionExport");
    m_exportAction->setShortcut(Qt::CTRL | Qt::Key_E);
    connect(m_exportAction, &QAction::triggered, this, &MainWindow::AskExportPath);

    m_quitAction = new QAction(this);
    m_quitAction->setShortcut(QKeySequence::Quit);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    m_undoAction = new QAction(this);
    m_undoAction->setObjectName("actionUndo");
    m_undoAction->setShortcut(Qt::CTRL | Qt::Key_Z);
    connect(m_undoAction, &QAction::triggered, this, &MainWindow::Undo);

    m_redoAction = new QAction(this);
    m_redoAction->setObjectName("actionRedo");
    m_redoAction->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
    connect(m_redoAction, &QAction::triggered, this, &MainWindow::Redo);

    m_resetAllAction = new QAction(this);
    m_resetAllAction->setObjectName("actionResetAll");
    connect(m_resetAllAction, &QAction::triggered, this, &MainWindow::ResetAll);

    m_applyAction = new QAction(this);
    m_applyAction->setObjectName("actionApplyPreset");
    m_applyAction->setShortcuts({Qt::Key_Return, Qt::Key_Enter});
    connect(m_applyAction, &QAction::triggered, this, &MainWindow::ApplyPreset);

    m_discardAction = new QAction(this);
    m_discardAction->setObjectName("actionDiscardPreset");
    m_discardAction->setShortcut(Qt::Key_Escape);
    connect(m_discardAction, &QAction::triggered, this, &MainWindow::DiscardPreset);

    m_savePresetAction = new QAction(this);
    m_savePresetAction->setObjectName("actionSavePreset");
    m_savePresetAction->setShortcut(Qt::CTRL | Qt::Key_S);
    connect(m_savePresetAction, &QAction::triggered, this, [this] {
        if (ToolPanel* panel = CurrentPanel())
            panel->SaveCurrentEffectsAsPreset();
    });

    m_languageGroup = new QActionGroup(this);
    for (const QString& language : LanguageSwitcher::Languages()) {
        QAction* action = m_languageGroup->addAction(LanguageSwitcher::NativeName(language));
        action->setObjectName("actionLanguage_" + language);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, language] { SetLanguage(language); });
    }

    m_fitAction = new QAction(this);
    m_fitAction->setObjectName("actionFit");
    m_fitAction->setShortcut(Qt::CTRL | Qt::Key_0);
    connect(m_fitAction, &QAction::triggered, m_view, &PhotoView::ZoomToFit);

    m_actualSizeAction = new QAction(this);
    m_actualSizeAction->setObjectName("actionActualSize");
    m_actualSizeAction->setShortcut(Qt::CTRL | Qt::Key_1);
    connect(m_actualSizeAction, &QAction::triggered, m_view, &PhotoView::ZoomToActualSize);

    const auto zoomAroundCentre = [this](double factor) {
        m_view->ZoomBy(factor, QRectF(m_view->viewport()->rect()).center());
    };
    m_zoomInAction = new QAction(this);
    m_zoomInAction->setShortcut(QKeySequence::ZoomIn);
    connect(m_zoomInAction, &QAction::triggered, this, [zoomAroundCentre] { zoomAroundCentre(1.25); });
    m_zoomOutAction = new QAction(this);
    m_zoomOutAction->setShortcut(QKeySequence::ZoomOut);
    connect(m_zoomOutAction, &QAction::triggered, this, [zoomAroundCentre] { zoomAroundCentre(0.8); });

    m_originalButton = new QToolButton(this);
    m_originalButton->setObjectName("originalButton");
    connect(m_originalButton, &QToolButton::pressed, this, [this] { m_view->SetShowOriginal(true); });
    connect(m_originalButton, &QToolButton::released, this, [this] { m_view->SetShowOriginal(false); });
}

void MainWindow::CreateMenus()
{
    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->addAction(m_openAction);
    m_fileMenu->addAction(m_exportAction);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_quitAction);

    m_editMenu = menuBar()->addMenu(QString());
    m_editMenu->addAction(m_undoAction);
    m_editMenu->addAction(m_redoAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_applyAction);
    m_editMenu->addAction(m_discardAction);
    m_editMenu->addAction(m_savePresetAction);
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_resetAllAction);

    m_viewMenu = menuBar()->addMenu(QString());
    m_viewMenu->addAction(m_fitAction);
    m_viewMenu->addAction(m_actualSizeAction);
    m_viewMenu->addAction(m_zoomInAction);
    m_viewMenu->addAction(m_zoomOutAction);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_statistics->toggleViewAction());

    m_languageMenu = menuBar()->addMenu(QString());
    m_languageMenu->addActions(m_languageGroup->actions());

    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName("mainToolBar");
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->addAction(m_openAction);
    m_toolBar->addAction(m_exportAction);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_undoAction);
    m_toolBar->addAction(m_redoAction);
    m_toolBar->addAction(m_resetAllAction);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_fitAction);
    m_toolBar->addAction(m_actualSizeAction);
    m_toolBar->addWidget(m_originalButton);
}

void MainWindow::Retranslate()
{
    m_fileMenu->setTitle(tr("&File"));
    m_editMenu->setTitle(tr("&Edit"));
    m_viewMenu->setTitle(tr("&View"));
    m_languageMenu->setTitle(tr("&Language"));
    m_toolBar->setWindowTitle(tr("Tools"));
    m_openAction->setText(tr("&Open photo…"));
    m_exportAction->setText(tr("&Export…"));
    m_quitAction->setText(tr("&Quit"));
    m_undoAction->setText(tr("&Undo"));
    m_redoAction->setText(tr("&Redo"));
    m_resetAllAction->setText(tr("Reset all"));
    m_resetAllAction->setToolTip(tr("Back to the photo as opened (undoable)"));
    m_applyAction->setText(tr("Apply preset"));
    m_discardAction->setText(tr("Cancel preset"));
    m_savePresetAction->setText(tr("Save as preset…"));
    for (PanelFactory::Panel kind : PanelFactory::Panels())
        m_tabs->setTabText(int(kind), PanelFactory::Title(kind));
    m_fitAction->setText(tr("Fit"));
    m_actualSizeAction->setText(tr("100%"));
    m_zoomInAction->setText(tr("Zoom in"));
    m_zoomOutAction->setText(tr("Zoom out"));
    m_originalButton->setText(tr("Original"));
    m_originalButton->setToolTip(tr("Hold to see the original photo (or hold the \\ key)"));
    const QString appName = tr("Glimmar Demo");
    setWindowTitle(m_document ? QString("%1 — %2").arg(QFileInfo(m_document->FilePath()).fileName(), appName) : appName);
    if (m_document) {
        const QSize size = m_document->Original().size();
        const QString& path = m_document->FilePath();
        m_photoLabel->setText(tr("%1 · %2 × %3 pixels")
                                  .arg(path == SamplePhotoPath ? tr("Built-in sample photo") : QDir::toNativeSeparators(path))
                                  .arg(size.width())
                                  .arg(size.height()));
    }
    UpdateZoomLabel();
}

bool MainWindow::OpenPhoto(const QString& path)
{
    QString reason;
    const QImage photo = ImageFile::Read(path, MaxPhotoPixels, reason, true);
    if (photo.isNull()) {
        ShowError(tr("Cannot open photo"),
                  tr("“%1” cannot be opened: %2").arg(QDir::toNativeSeparators(path), reason) +
                      (m_document ? "\n\n" + tr("The current photo stays open.") : QString()));
        return false;
    }

    if (!ConfirmLeavingAll())
        return false;

    auto document = std::make_unique<PhotoDocument>(photo.convertToFormat(QImage::Format_RGB32), path, m_statisticsPath);
    connect(document.get(), &PhotoDocument::historyChanged, this, &MainWindow::UpdateHistoryActions);
    connect(document.get(), &PhotoDocument::previewBaseChanged, this, [this] {
        for (ToolPanel* panel : m_panels)
            panel->List().Update();
    });
    document->ShowIn(*m_view);
    m_view->ZoomToFit();
    m_document = std::move(document);
    ConnectWorkspace();
    UpdateHistoryActions();
    Retranslate();
    emit photoOpened(path);
    return true;
}

void MainWindow::AskOpenPath()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << "*." + QString::fromLatin1(format);
    const QString folder = m_document ? QFileInfo(m_document->FilePath()).absolutePath() : QString();
    const QString path = QFileDialog::getOpenFileName(this, tr("Open photo"), folder.startsWith(':') ? QString() : folder,
                                                      tr("Images (%1)").arg(patterns.join(' ')));
    if (!path.isEmpty())
        OpenPhoto(path);
}

void MainWindow::ExportPhoto(const QString& path)
{
    const QByteArray format = ExportFormat(path);
    if (format.isEmpty() || !m_document) {
        const QString error = m_document ? tr("Choose a file name ending in .jpg or .png.") : tr("No photo is open.");
        ShowError(tr("Cannot export"), error);
        emit exportFinished(path, error);
        return;
    }
    statusBar()->showMessage(tr("Exporting to %1…").arg(QDir::toNativeSeparators(path)));
    // The worker waits for the drawer's last render, so the UI thread never does.
    const std::shared_ptr<PhotoCore::WorkspaceController> workspace = m_document->Workspace();
    ThreadHandOver::Invoke(m_exporter, [this, workspace, path, format] {
        workspace->Drawer().WaitUntilIdle();
        QImageWriter writer(path, format);
        writer.setQuality(92);
        const QString error = writer.write(workspace->Drawer().CurrentImage()) ? QString() : writer.errorString();
        ThreadHandOver::Invoke(this, [this, path, error] { FinishExport(path, error); });
    });
}

void MainWindow::FinishExport(const QString& path, const QString& error)
{
    if (error.isEmpty()) {
        statusBar()->showMessage(tr("Exported to %1").arg(QDir::toNativeSeparators(path)), 8000);
    } else {
        statusBar()->clearMessage();
        ShowError(tr("Cannot export"), tr("“%1” cannot be written: %2").arg(QDir::toNativeSeparators(path), error));
    }
    emit exportFinished(path, error);
}

void MainWindow::AskExportPath()
{
    if (!m_document)
        return;
    const QFileInfo source(m_document->FilePath());
    const QString folder = m_document->FilePath().startsWith(':')
                               ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                               : source.absolutePath();
    const QString jpeg = tr("JPEG image (*.jpg *.jpeg)");
    const QString png = tr("PNG image (*.png)");
    QString filter = jpeg;
    QString path = QFileDialog::getSaveFileName(this, tr("Export photo"),
                                                QDir(folder).filePath(source.completeBaseName() + "-edited.jpg"),
                                                jpeg + ";;" + png, &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == png ? ".png" : ".jpg";
    ExportPhoto(path);
}

// Undo while a preset is tried takes it off; it was never a step of the history.
void MainWindow::Undo()
{
    if (!m_document || DiscardTriedPreset())
        return;
    m_document->Undo();
    FollowThePhoto();
}

// Redo goes on from the last step, not from a preset being tried.
void MainWindow::Redo()
{
    if (!m_document || PresetTried())
        return;
    m_document->Redo();
    FollowThePhoto();
}

void MainWindow::ResetAll()
{
    if (!m_document)
        return;
    DiscardTriedPreset();
    m_document->RestoreOriginal();
    for (ToolPanel* panel : m_panels)
        panel->List().ResetAll();
}

bool MainWindow::DiscardTriedPreset()
{
    bool discarded = false;
    for (ToolPanel* panel : m_panels) {
        if (panel->List().HasChanges()) {
            panel->List().DiscardCurrentPreset();
            discarded = true;
        }
    }
    return discarded;
}

void MainWindow::FollowThePhoto()
{
    for (ToolPanel* panel : m_panels)
        panel->List().ActivateCurrentPreset();
}

void MainWindow::ApplyPreset()
{
    if (ToolPanel* panel = CurrentPanel(); panel && panel->List().HasChanges())
        panel->List().ApplyCurrentPreset();
}

void MainWindow::DiscardPreset()
{
    if (ToolPanel* panel = CurrentPanel(); panel && panel->List().HasChanges())
        panel->List().DiscardCurrentPreset();
}

bool MainWindow::PresetTried() const
{
    return std::any_of(m_panels.begin(), m_panels.end(), [](ToolPanel* panel) { return panel->List().HasChanges(); });
}

void MainWindow::UpdateHistoryActions()
{
    m_actionsUpdateQueued = false;
    const bool tried = PresetTried();
    m_undoAction->setEnabled(m_document && (m_document->CanUndo() || tried));
    m_redoAction->setEnabled(m_document && m_document->CanRedo() && !tried);
    m_resetAllAction->setEnabled(m_document != nullptr);
    m_exportAction->setEnabled(m_document != nullptr);
}

void MainWindow::UpdateZoomLabel()
{
    const QString zoom = tr("Zoom %1%").arg(qRound(m_view->Zoom() * 100));
    m_zoomLabel->setText(m_view->IsFitted() ? tr("%1 (fit)").arg(zoom) : zoom);
}

void MainWindow::ShowError(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box.setObjectName("errorMessage");
    box.exec();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!ConfirmLeavingAll()) {
        event->ignore();
        return;
    }
    m_settings->setValue("window/geometry", saveGeometry());
    m_settings->setValue("window/state", saveState());
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    OpenPhoto(event->mimeData()->urls().first().toLocalFile());
    event->acceptProposedAction();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Holding the key shows the original wherever the focus is in this window, except while typing.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<QKeyEvent*>(event)->key() == OriginalKey && !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
        QApplication::activeWindow() == this && !qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        m_view->SetShowOriginal(event->type() == QEvent::KeyPress);
        return true;
    }
    // A click or key may have tried or settled a preset, which the history hears of only once the
    // drawer has drawn it: undo and redo follow once the input is handled.
    if ((event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease) && !m_actionsUpdateQueued) {
        m_actionsUpdateQueued = true;
        QMetaObject::invokeMethod(this, &MainWindow::UpdateHistoryActions, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Tavrel::Demo
