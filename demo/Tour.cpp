#include "demo/Tour.h"

#include "demo/MainWindow.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/StatisticsDock.h"

#include "Host/Drawer/WorkspaceController.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <stdexcept>

namespace Tavrel::Demo {

namespace {

constexpr const char* ExportFileName = "export.jpg";
constexpr const char* SummaryFileName = "summary.txt";

template <typename T>
T* FindChild(QObject& parent, const QString& name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        throw std::runtime_error("the window has no " + name.toStdString());
    return child;
}

// Clicks the tool bar button of the window's action, as a user would.
void ClickAction(MainWindow& window, const QString& actionName)
{
    auto* action = FindChild<QAction>(window, actionName);
    for (QToolBar* toolBar : window.findChildren<QToolBar*>()) {
        if (QWidget* button = toolBar->widgetForAction(action)) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    action->trigger();
}

} // namespace

Tour::Tour(MainWindow& window, const QString& folder) : m_window(window), m_folder(folder) {}

EditorOptions Tour::Options(const QString& folder)
{
    QDir dir(folder);
    dir.mkpath(".");
    QDir(dir.filePath("config")).removeRecursively();
    for (const QString& old : dir.entryList({"[0-9][0-9]-*.png", MainWindow::StatisticsFileName, ExportFileName, SummaryFileName}))
        dir.remove(old);
    EditorOptions options;
    options.configDir = dir.filePath("config");
    options.dataDir = dir.absolutePath();
    options.language = "en";
    return options;
}

bool Tour::Run()
{
    m_window.resize(1400, 900);
    m_window.show();
    try {
        Step("open", "Open the sample photo", [this] {
            if (!m_window.OpenPhoto(MainWindow::SamplePhotoPath))
                throw std::runtime_error("the sample photo cannot be opened");
        });
        Step("zoom-100", "Zoom to 100%", [this] { ClickAction(m_window, "actionActualSize"); });
        Step("original", "Hold the Original button to compare with the photo as opened", [this] {
            auto* original = FindChild<QAbstractButton>(m_window, "originalButton");
            QTest::mousePress(original, Qt::LeftButton);
            if (!m_window.View()->ShowsOriginal())
                throw std::runtime_error("holding Original does not show the original");
        });
        Step("fit", "Let go of Original and fit the photo to the window", [this] {
            QTest::mouseRelease(FindChild<QAbstractButton>(m_window, "originalButton"), Qt::LeftButton);
            ClickAction(m_window, "actionFit");
        });
        Step("export", "Export the photo at full resolution", [this] {
            QString error = "the export did not finish within a minute";
            QEventLoop loop;
            QObject::connect(&m_window, &MainWindow::exportFinished, &loop, [&](const QString&, const QString& result) {
                error = result;
                loop.quit();
            });
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            m_window.ExportPhoto(m_folder.filePath(ExportFileName));
            loop.exec();
            if (!error.isEmpty())
                throw std::runtime_error(error.toStdString());
        });
    } catch (const std::exception& error) {
        m_summary << QString("FAILED: %1").arg(QString::fromStdString(error.what()));
        fprintf(stderr, "Tour step %d failed: %s\n", m_step, error.what());
        WriteSummary(false);
        return false;
    }
    WriteSummary(true);
    return true;
}

void Tour::Step(const QString& name, const QString& title, const std::function<void()>& action)
{
    ++m_step;
    action();
    Settle();
    const QString file = QString("%1-%2.png").arg(m_step, 2, 10, QChar('0')).arg(name);
    if (!m_window.grab().save(m_folder.filePath(file)))
        throw std::runtime_error("cannot write " + m_folder.filePath(file).toStdString());
    m_summary << QString("%1. %2 (%3)").arg(m_step, 2).arg(title, file);
}

void Tour::Settle()
{
    if (PhotoDocument* document = m_window.Document())
        document->Workspace()->Drawer().WaitUntilIdle();
    // The drawer's events reach the window as posted calls; closed tiles go as deferred deletes.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    m_window.Statistics()->ReadNewLines();
}

void Tour::WriteSummary(bool finished) const
{
    QFile file(m_folder.filePath(SummaryFileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << "Guided tour of the Glimmar demo editor\n\n";
    for (const QString& line : m_summary)
        out << line << '\n';
    out << '\n' << (finished ? "Finished" : "Stopped") << " after " << m_step << " steps.\n";
    out << "Usage events logged: " << m_window.Statistics()->EventCount() << " (" << MainWindow::StatisticsFileName
        << ")\n";
    if (finished)
        out << "Exported photo: " << ExportFileName << '\n';
}

} // namespace Tavrel::Demo
