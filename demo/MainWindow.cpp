#include "demo/MainWindow.h"

#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/StatisticsDock.h"

#include "Host/Drawer/WorkspaceController.h"
#include "Host/Types/BaseConfig.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

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

} // namespace

MainWindow::MainWindow(const EditorOptions& options, QWidget* parent)
    : QMainWindow(parent),
      m_configDir(FolderOr(options.configDir, QStandardPaths::AppConfigLocation)),
      m_statisticsPath(QDir(FolderOr(options.dataDir, QStandardPaths::AppDataLocation)).filePath(StatisticsFileName)),
      m_settings(std::make_unique<QSettings>(QDir(m_configDir).filePath("GlimmarDemo.ini"), QSettings::IniFormat)),
      m_view(new PhotoView(this))
{
    setObjectName("mainWindow");
    PhotoUtil::BaseConfig::SetStorageFolder(m_configDir);
    setCentralWidget(m_view);
    setAcceptDrops(true);
    setDockOptions(AnimatedDocks | AllowTabbedDocks);

    m_statistics = new StatisticsDock(m_statisticsPath, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_statistics);

    CreateActions();
    CreateMenus();
    m_photoLabel = new QLabel(this);
    m_zoomLabel = new QLabel(this);
    statusBar()->addWidget(m_photoLabel, 1);
    statusBar()->addPermanentWidget(m_zoomLabel);
    connect(m_view, &PhotoView::zoomChanged, this, &MainWindow::UpdateZoomLabel);

    Retranslate();
    UpdateHistoryActions();
    resize(1280, 820);
    resizeDocks({m_statistics}, {150}, Qt::Vertical);
    restoreGeometry(m_settings->value("window/geometry").toByteArray());
    restoreState(m_settings->value("window/state").toByteArray());
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

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
    m_editMenu->addAction(m_resetAllAction);

    m_viewMenu = menuBar()->addMenu(QString());
    m_viewMenu->addAction(m_fitAction);
    m_viewMenu->addAction(m_actualSizeAction);
    m_viewMenu->addAction(m_zoomInAction);
    m_viewMenu->addAction(m_zoomOutAction);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_statistics->toggleViewAction());

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
    m_toolBar->setWindowTitle(tr("Tools"));
    m_openAction->setText(tr("&Open photo…"));
    m_exportAction->setText(tr("&Export…"));
    m_quitAction->setText(tr("&Quit"));
    m_undoAction->setText(tr("&Undo"));
    m_redoAction->setText(tr("&Redo"));
    m_resetAllAction->setText(tr("Reset all"));
    m_resetAllAction->setToolTip(tr("Back to the photo as opened (undoable)"));
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage photo = reader.read();
    if (photo.isNull()) {
        const QString reason = QFileInfo::exists(path) ? reader.errorString() : tr("The file does not exist.");
        ShowError(tr("Cannot open photo"),
                  tr("“%1” cannot be opened: %2").arg(QDir::toNativeSeparators(path), reason) +
                      (m_document ? "\n\n" + tr("The current photo stays open.") : QString()));
        return false;
    }

    auto document = std::make_unique<PhotoDocument>(photo.convertToFormat(QImage::Format_RGB32), path, m_statisticsPath);
    connect(document.get(), &PhotoDocument::frameRendered, m_view, &PhotoView::SetImage);
    connect(document.get(), &PhotoDocument::historyChanged, this, &MainWindow::UpdateHistoryActions);
    m_view->SetOriginal(document->Original());
    m_view->SetImage(document->Original());
    m_view->ZoomToFit();
    m_document = std::move(document);
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
    auto* watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher, path] {
        watcher->deleteLater();
        const QString error = watcher->result();
        if (error.isEmpty()) {
            statusBar()->showMessage(tr("Exported to %1").arg(QDir::toNativeSeparators(path)), 8000);
        } else {
            statusBar()->clearMessage();
            ShowError(tr("Cannot export"), tr("“%1” cannot be written: %2").arg(QDir::toNativeSeparators(path), error));
        }
        emit exportFinished(path, error);
    });
    watcher->setFuture(QtConcurrent::run([workspace, path, format]() -> QString {
        workspace->Drawer().WaitUntilIdle();
        QImageWriter writer(path, format);
        writer.setQuality(92);
        return writer.write(workspace->Drawer().CurrentImage()) ? QString() : writer.errorString();
    }));
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

void MainWindow::Undo()
{
    if (m_document)
        m_document->Undo();
}

void MainWindow::Redo()
{
    if (m_document)
        m_document->Redo();
}

void MainWindow::ResetAll()
{
    if (m_document)
        m_document->RestoreOriginal();
}

void MainWindow::UpdateHistoryActions()
{
    m_undoAction->setEnabled(m_document && m_document->CanUndo());
    m_redoAction->setEnabled(m_document && m_document->CanRedo());
    m_resetAllAction->setEnabled(m_document && m_document->CanUndo());
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
    return QMainWindow::eventFilter(watched, event);
}

} // namespace Tavrel::Demo
