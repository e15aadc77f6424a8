#include "demo/Tour.h"

#include "demo/MainWindow.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/StatisticsDock.h"
#include "demo/ToolPanel.h"

#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/PresetWidget.h"
#include "Host/Drawer/WorkspaceController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

namespace Tavrel::Demo {

using Glimmar::GlimmarPresets::ModelPreset;
using Glimmar::GlimmarPresets::PresetWidget;

namespace {

constexpr const char* ExportFileName = "export.jpg";
constexpr const char* SummaryFileName = "summary.txt";
constexpr int LooksTab = 0;
constexpr int EffectsTab = 1;

template <typename T>
T& Find(QObject& parent, const QString& name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        throw std::runtime_error("no " + name.toStdString() + " in " + parent.objectName().toStdString());
    return *child;
}

// Runs script on the next modal dialog once it shows (dialogs run their own event loop).
void WhenDialogShows(const std::function<void(QWidget&)>& script)
{
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, script] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog && waited->elapsed() < 10000)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (dialog)
            script(*dialog);
    });
    poll->start(20);
}

void TypeName(QWidget& dialog, const QString& name)
{
    auto& field = Find<QLineEdit>(dialog, "nameEdit");
    field.selectAll();
    QTest::keyClicks(&field, name);
    QTest::mouseClick(&Find<QAbstractButton>(dialog, "acceptButton"), Qt::LeftButton);
}

void Hover(QWidget& widget)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&widget, &enter);
}

} // namespace

Tour::Tour(MainWindow& window, const QString& folder) : m_window(window), m_folder(folder) {}

EditorOptions Tour::Options(const QString& folder)
{
    QDir dir(folder);
    dir.mkpath(".");
    QDir(dir.filePath("config")).removeRecursively();
    QDir(dir.filePath("downloads")).removeRecursively();
    for (const QString& old : dir.entryList({"[0-9][0-9]-*.png", MainWindow::StatisticsFileName, ExportFileName, SummaryFileName}))
        dir.remove(old);
    // Downloads start from an empty cache and take their time, so that the tiles show them.
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(dir.filePath("downloads")));
    qputenv("GLIMMAR_RESOURCE_CHUNK_PAUSE_MS", "40");
    EditorOptions options;
    options.configDir = dir.filePath("config");
    options.dataDir = dir.absolutePath();
    options.language = "en";
    return options;
}

ToolPanel& Tour::Panel(int tab) const { return *m_window.Panels().at(tab); }

QListView& Tour::View(int tab) const { return Find<QListView>(Panel(tab).List(), "view"); }

void Tour::ChooseGroup(int tab, const QString& untranslatedName)
{
    auto* combo = qobject_cast<QComboBox*>(Panel(tab).List().GetGroupsCombobox());
    const QModelIndexList hits = combo->model()->match(combo->model()->index(0, 0), Qt::DisplayRole, untranslatedName, 1,
                                                       Qt::MatchStartsWith | Qt::MatchWrap);
    if (hits.isEmpty())
        throw std::runtime_error("no group " + untranslatedName.toStdString());
    combo->setCurrentIndex(hits.first().row());
}

PresetWidget& Tour::Tile(int tab, const QString& presetId)
{
    QListView& view = View(tab);
    const QModelIndexList hits =
        view.model()->match(view.model()->index(0, 0), ModelPreset::IdRole, presetId, 1, Qt::MatchExactly);
    if (hits.isEmpty())
        throw std::runtime_error("no preset " + presetId.toStdString() + " in the shown group");
    view.scrollTo(hits.first());
    Settle();
    auto* tile = qobject_cast<PresetWidget*>(view.indexWidget(hits.first()));
    if (!tile)
        throw std::runtime_error("no tile for " + presetId.toStdString());
    return *tile;
}

void Tour::ClickTilePart(int tab, const QString& presetId, const char* part)
{
    PresetWidget& tile = Tile(tab, presetId);
    Hover(Find<QWidget>(tile, "activateButton"));
    QTest::mouseClick(&Find<QAbstractButton>(tile, part), Qt::LeftButton);
}

void Tour::DragIntensity(int tab, const QString& presetId, double toFraction)
{
    auto& slider = Find<QSlider>(Tile(tab, presetId), "intensitySlider");
    const int y = slider.height() / 2;
    const int from = slider.width() / 2;
    const int to = qRound(slider.width() * toFraction);
    const auto send = [&slider, y](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPoint(x, y), slider.mapToGlobal(QPoint(x, y)), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(&slider, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int x = from; x != to; x += (to > from ? 4 : -4)) {
        send(QEvent::MouseMove, x, Qt::LeftButton);
        if (std::abs(to - x) < 4)
            break;
    }
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void Tour::ChooseFromSettingsMenu(int tab, const QString& presetId, int entry)
{
    PresetWidget& tile = Tile(tab, presetId);
    Hover(Find<QWidget>(tile, "activateButton"));
    auto& button = Find<QAbstractButton>(tile, "settingsButton");
    QTest::mouseClick(&button, Qt::LeftButton);
    auto* menu = button.findChild<QMenu*>();
    if (!menu || menu->actions().size() <= entry)
        throw std::runtime_error("the settings menu of " + presetId.toStdString() + " has no entry " + std::to_string(entry));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(entry)).center());
}

QString Tour::UserPresetId(int tab, const QString& name)
{
    QListView& view = View(tab);
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        if (index.data(ModelPreset::UserPresetRole).toBool() && index.data(ModelPreset::NameRole).toString() == name)
            return index.data(ModelPreset::IdRole).toString();
    }
    throw std::runtime_error("no user preset " + name.toStdString());
}

void Tour::SwitchTab(int tab)
{
    QTabBar* bar = m_window.PanelTabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    if (m_window.PanelTabs()->currentIndex() != tab)
        throw std::runtime_error("the tab did not switch");
}

void Tour::ExpectChange(const QImage& before, bool changed, const char* what)
{
    if ((m_window.View()->Image() != before) != changed)
        throw std::runtime_error(what);
}

bool Tour::Run()
{
    m_window.resize(1440, 900);
    m_window.show();
    QImage photo;
    try {
        Step("open", "Open the sample photo", [this] {
            if (!m_window.OpenPhoto(MainWindow::SamplePhotoPath))
                throw std::runtime_error("the sample photo cannot be opened");
        });
        photo = m_window.Document()->Original();
        Step("looks-group", "Looks: open the group \"Colour\"", [this] { ChooseGroup(LooksTab, "Colour"); });
        Step("looks-try", "Looks: try \"Warm Sun\"", [this, &photo] {
            ClickTilePart(LooksTab, "colour.warmSun", "activateButton");
            Settle();
            ExpectChange(photo, true, "trying a preset did not change the photo");
        });
        Step("looks-intensity", "Looks: drag its intensity to 80%", [this] { DragIntensity(LooksTab, "colour.warmSun", 0.8); });
        Step("looks-confirm", "Looks: confirm it with the tick", [this] { ClickTilePart(LooksTab, "colour.warmSun", "applyBtn"); });
        QImage confirmed = m_window.View()->Image();
        Step("looks-try-another", "Looks: try \"Teal and Orange\"", [this] {
            ClickTilePart(LooksTab, "colour.tealOrange", "activateButton");
        });
        Step("looks-cancel", "Looks: cancel it with the cross; the photo is back as it was", [this, &confirmed] {
            ClickTilePart(LooksTab, "colour.tealOrange", "resetBtn");
            Settle();
            ExpectChange(confirmed, false, "cancelling did not restore the photo");
        });
        Step("looks-favourite", "Looks: mark \"Cool Breeze\" as a favourite", [this] {
            ClickTilePart(LooksTab, "colour.coolBreeze", "favouriteButton");
        });
        Step("effects-tab", "Switch to the Effects panel: it opens on the popular group", [this] { SwitchTab(EffectsTab); });
        Step("effects-try", "Effects: try \"Golden Hour\" and drag its intensity", [this] {
            ClickTilePart(EffectsTab, "popular.goldenHour", "activateButton");
            Settle();
            DragIntensity(EffectsTab, "popular.goldenHour", 0.35);
        });
        Step("effects-confirm", "Effects: confirm with Enter", [this] {
            QTest::keyClick(&m_window, Qt::Key_Return);
            if (Panel(EffectsTab).List().HasChanges())
                throw std::runtime_error("Enter did not confirm the preset");
        });
        confirmed = m_window.View()->Image();
        Step("effects-cancel", "Effects: try \"Dark Frame\", then cancel with Escape", [this, &confirmed] {
            ClickTilePart(EffectsTab, "popular.darkFrame", "activateButton");
            Settle();
            QTest::keyClick(&m_window, Qt::Key_Escape);
            Settle();
            ExpectChange(confirmed, false, "Escape did not restore the photo");
        });
        Step("effects-favourite", "Effects: mark \"Soft Fade\" as a favourite", [this] {
            ClickTilePart(EffectsTab, "popular.softFade", "favouriteButton");
        });
        Step("effects-download", "Effects: the textures download, with their progress on the tiles",
             [this] {
                 ChooseGroup(EffectsTab, "Textures");
                 QTest::qWait(150);
             });
        Step("effects-texture", "Effects: try \"Old Paper\" with its downloaded texture and confirm it", [this] {
            QElapsedTimer waited;
            waited.start();
            while (!Find<QAbstractButton>(Tile(EffectsTab, "texture.oldPaper"), "activateButton").isEnabled() ||
                   Find<QWidget>(Tile(EffectsTab, "texture.oldPaper"), "progressBar").isVisible()) {
                if (waited.elapsed() > 30000)
                    throw std::runtime_error("the texture of \"Old Paper\" did not arrive");
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            }
            ClickTilePart(EffectsTab, "texture.oldPaper", "activateButton");
            Settle();
            ClickTilePart(EffectsTab, "texture.oldPaper", "applyBtn");
        });
        Step("effects-failed", "Effects: \"Canvas\" could not download its texture; its tile says why", [this] {
            QElapsedTimer waited;
            waited.start();
            while (Find<QAbstractButton>(Tile(EffectsTab, "texture.canvas"), "activateButton").isEnabled()) {
                if (waited.elapsed() > 30000)
                    throw std::runtime_error("the download of \"Canvas\" did not fail");
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            }
        });
        Step("save-preset", "Save the photo's effects as the user preset \"Raccoon Glow\"", [this] {
            WhenDialogShows([](QWidget& dialog) { TypeName(dialog, "Raccoon Glow"); });
            QTest::mouseClick(&Find<QAbstractButton>(Panel(EffectsTab), "savePresetButton"), Qt::LeftButton);
            ChooseGroup(EffectsTab, "Custom");
        });
        Step("save-another", "Save another one, \"Evening\"", [this] {
            WhenDialogShows([](QWidget& dialog) { TypeName(dialog, "Evening"); });
            QTest::mouseClick(&Find<QAbstractButton>(Panel(EffectsTab), "savePresetButton"), Qt::LeftButton);
            ChooseGroup(EffectsTab, "Custom");
        });
        Step("rename", "Rename \"Raccoon Glow\" to \"Raccoon at Dusk\"", [this] {
            WhenDialogShows([](QWidget& dialog) { TypeName(dialog, "Raccoon at Dusk"); });
            ChooseFromSettingsMenu(EffectsTab, UserPresetId(EffectsTab, "Raccoon Glow"), 1);
            UserPresetId(EffectsTab, "Raccoon at Dusk");
        });
        Step("delete", "Delete \"Evening\"", [this] {
            WhenDialogShows([](QWidget& dialog) { QTest::mouseClick(&Find<QAbstractButton>(dialog, "firstButton"), Qt::LeftButton); });
            ChooseFromSettingsMenu(EffectsTab, UserPresetId(EffectsTab, "Evening"), 2);
        });
        const QImage withTexture = m_window.View()->Image();
        Step("undo", "Undo with Ctrl+Z: the texture goes, the panel follows", [this, &withTexture] {
            QTest::keyClick(&m_window, Qt::Key_Z, Qt::ControlModifier);
            Settle();
            ExpectChange(withTexture, true, "undo did not take the texture off");
        });
        Step("redo", "Redo with Ctrl+Shift+Z: the texture is back", [this, &withTexture] {
            QTest::keyClick(&m_window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            Settle();
            ExpectChange(withTexture, false, "redo did not bring the texture back");
        });
        Step("german", "Switch the language to German: the panels are built again in it", [this] {
            Find<QAction>(m_window, "actionLanguage_de").trigger();
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
    // Offscreen there is no window manager to give the window back the focus when a dialog or
    // menu closes; its shortcuts need it.
    if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget() &&
        QGuiApplication::focusWindow() != m_window.windowHandle()) {
        m_window.activateWindow();
        QApplication::setActiveWindow(&m_window);
    }
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
