// Random sessions through the demo's real window: seeded sequences of user actions
// (tiles, sliders, keys, undo, groups, panels, favourites, user presets, photos,
// restarts), with tiles, lists and photo checked after every step against what the
// user confirmed. A failing seed is cut down to the shortest sequence that still fails.
//
// GLIMMAR_MONKEY_SEEDS ("1-8" or "3,5,9") and GLIMMAR_MONKEY_STEPS (per seed) choose
// the sessions, GLIMMAR_MONKEY_KINDS (as KindKeys names them) keeps them to some actions;
// `make monkey` sets them.

#include "demo/MainWindow.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"
#include "demo/ToolPanel.h"

#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/ConfigStore.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/Drawer/WorkspaceController.h"
#include "Host/Render/EffectRenderer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sstream>

namespace {

using namespace Tavrel::Demo;
using namespace Tavrel::PhotoCore;
using Tavrel::Glimmar::GlimmarPresets::IItemModelPreset;
using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
using Tavrel::Glimmar::GlimmarPresets::ModelPresetGroup;

enum class Kind {
    Try, Drag, Tick, Cross, Enter, Escape, Undo, Redo, ResetAll, Group, Panel,
    Favourite, Save, Rename, Delete, OpenPhoto, Walk, Restart, Key,
};

// How often a user does each, in the order of Kind.
constexpr int Weights[] = {22, 8, 8, 6, 6, 5, 8, 6, 2, 8, 4, 5, 3, 3, 3, 1, 2, 1, 10};

// What GLIMMAR_MONKEY_KINDS names them ("try,tick,cross"), to keep a run to some actions.
const char* const KindKeys[] = {"try", "drag", "tick", "cross", "enter", "escape", "undo", "redo", "resetall",
                                "group", "panel", "favourite", "save", "rename", "delete", "photo", "walk",
                                "restart", "key"};

const char* const KindNames[] = {"try tile", "drag slider", "click tick", "click cross", "Enter", "Escape",
                                 "Undo", "Redo", "Reset all", "choose group", "switch panel", "toggle favourite",
                                 "save as preset", "rename", "delete", "open other photo", "walk the history",
                                 "restart the editor", "key on a tile"};

// Parameters are picked once, whatever the state: pick % rows chooses a row when the
// action runs, so that a shortened sequence still means something.
struct Action {
    Kind kind;
    int pick;
    int answer;
    double fraction;
    /// The next action follows before the drawer is done and nothing is checked in between.
    bool quick;
};

std::string Describe(const Action& action)
{
    std::ostringstream text;
    text << KindNames[static_cast<int>(action.kind)] << " (pick " << action.pick << ", answer " << action.answer
         << ", to " << action.fraction << ")" << (action.quick ? ", at once" : "");
    return text.str();
}

std::vector<Action> Generate(unsigned seed, int steps)
{
    std::vector<int> weights(std::begin(Weights), std::end(Weights));
    const QStringList kept = qEnvironmentVariable("GLIMMAR_MONKEY_KINDS").split(',', Qt::SkipEmptyParts);
    for (std::size_t i = 0; i < weights.size() && !kept.isEmpty(); ++i) {
        if (!kept.contains(QLatin1String(KindKeys[i])))
            weights[i] = 0;
    }
    std::mt19937 random(seed);
    std::discrete_distribution<int> kind(weights.begin(), weights.end());
    std::uniform_int_distribution<int> number(0, 999);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    std::vector<Action> actions;
    for (int i = 0; i < steps; ++i) {
        const Kind picked = static_cast<Kind>(kind(random));
        const int pick = number(random);
        const int answer = number(random);
        const double to = fraction(random);
        actions.push_back({picked, pick, answer, to, number(random) < 200});
    }
    return actions;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Expect(bool condition, const std::string& what)
{
    if (!condition)
        throw Failure(what);
}

QImage Photo(int variant)
{
    QImage photo(120, 80, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, variant == 0 ? qRgb(2 * x, 3 * y, (x + y) / 2) : qRgb(255 - 2 * y, x, 128));
    return photo;
}

// Runs script on each modal dialog that shows while it lives.
class DialogAnswers {
public:
    explicit DialogAnswers(std::function<void(QWidget&)> script) : m_script(std::move(script))
    {
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog && dialog != m_answered) {
                m_answered = dialog;
                m_script(*dialog);
            }
        });
        m_poll.start(5);
    }

private:
    std::function<void(QWidget&)> m_script;
    QTimer m_poll;
    QWidget* m_answered = nullptr;
};

template <typename T>
T* Child(QObject& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

void Click(QAbstractButton* button)
{
    if (button && button->isEnabled())
        QTest::mouseClick(button, Qt::LeftButton);
}

void Hover(QWidget& widget)
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&widget, &enter);
}

// One photo's confirmed states as the user made them, and what the panels hold.
struct Expected {
    std::vector<QImage> states;
    int cursor = 0;
    int triedPanel = -1;
    int tries = 0;
    int confirms = 0;
    int cancels = 0;
    std::array<std::set<std::string>, 2> favourites;
    std::array<std::set<QString>, 2> userPresets;
    int savedNames = 0;

    void NewPhoto(const QImage& photo)
    {
        states = {photo};
        cursor = 0;
        triedPanel = -1;
        tries = confirms = cancels = 0;
    }
    void Confirm(const QImage& shown)
    {
        states.resize(static_cast<std::size_t>(cursor) + 1);
        states.push_back(shown);
        ++cursor;
        ++confirms;
        triedPanel = -1;
    }
    void Cancel()
    {
        ++cancels;
        triedPanel = -1;
    }
};

class Session {
public:
    Session() : m_previousCache(qgetenv("GLIMMAR_RESOURCE_CACHE_DIR"))
    {
        if (!m_folder.isValid())
            throw Failure("no temporary folder");
        // Every download is done already: a session replays alike, whenever the downloads would
        // have finished. (The one whose source is missing still fails, at once.)
        const QDir cache(m_folder.filePath("downloads"));
        cache.mkpath(".");
        const QDir source(":/resources/remote");
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), cache.filePath(name));
        qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(cache.path()));
        for (int variant : {0, 1}) {
            m_photoPaths[variant] = m_folder.filePath(QString("photo%1.png").arg(variant));
            Photo(variant).save(m_photoPaths[variant]);
        }
        Open();
    }

    ~Session()
    {
        m_window.reset();
        qputenv("GLIMMAR_RESOURCE_CACHE_DIR", m_previousCache);
    }

    // The index of the step that failed and why, or nothing.
    std::optional<std::pair<std::size_t, std::string>> Run(const std::vector<Action>& actions)
    {
        const bool trace = qEnvironmentVariableIsSet("GLIMMAR_MONKEY_TRACE");
        for (std::size_t step = 0; step < actions.size(); ++step) {
            if (trace)
                fprintf(stderr, "%zu. %s [pos %d count %d]\n", step + 1, Describe(actions[step]).c_str(), Drawer().GetCurrentPosition(), Drawer().EntryCount());
            try {
                m_quick = actions[step].quick;
                Do(actions[step]);
                // A user faster than the drawer, not than the event loop.
                if (m_quick) {
                    QCoreApplication::processEvents();
                    GiveBackTheFocus();
                    continue;
                }
                Settle();
                Check();
            } catch (const Failure& failure) {
                return std::make_pair(step, std::string(failure.what()));
            }
        }
        return std::nullopt;
    }

private:
    void Open()
    {
        EditorOptions options;
        options.configDir = m_folder.filePath("config");
        options.dataDir = m_folder.filePath("data");
        options.language = "en";
        m_window = std::make_unique<MainWindow>(options);
        m_window->resize(1100, 760);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        Expect(QTest::qWaitForWindowActive(m_window.get()), "the window does not become active");
        Expect(m_window->OpenPhoto(m_photoPaths[m_photo]), "the photo does not open");
        Settle();
        m_expected.NewPhoto(Photo(m_photo));
    }

    PhotoCoreDrawer& Drawer() const { return m_window->Document()->Workspace()->Drawer(); }
    int PanelIndex() const { return m_window->PanelTabs()->currentIndex(); }
    ToolPanel& Panel(int index) const { return *m_window->Panels().at(static_cast<std::size_t>(index)); }
    QListView& View(int panel) const { return *Child<QListView>(Panel(panel).List(), "view"); }
    QComboBox& Groups(int panel) const { return *static_cast<QComboBox*>(Panel(panel).List().GetGroupsCombobox()); }

    void Settle() const
    {
        for (int round = 0; round < 3; ++round) {
            if (m_window->Document())
                Drawer().WaitUntilIdle();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            GiveBackTheFocus();
        }
    }

    // The offscreen platform has no window manager to give the window back the focus when a
    // dialog or menu closes; shortcuts need it.
    void GiveBackTheFocus() const
    {
        if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget() &&
            QGuiApplication::focusWindow() != m_window->windowHandle()) {
            m_window->activateWindow();
            QApplication::setActiveWindow(m_window.get());
        }
    }

    // The shown row's tile, scrolled into view; null for a row outside the group.
    QWidget* Tile(int panel, int row) const
    {
        QListView& view = View(panel);
        const QModelIndex index = view.model()->index(row, 0);
        if (!index.isValid())
            return nullptr;
        view.scrollTo(index);
        Settle();
        return view.indexWidget(index);
    }

    int Rows(int panel) const { return View(panel).model()->rowCount(); }

    int AppliedRow(int panel) const
    {
        QAbstractItemModel& model = *View(panel).model();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.index(row, 0).data(ModelPreset::ApplyRole).toBool())
                return row;
        }
        return -1;
    }

    // Every preset the panel's groups list, each once.
    std::set<IItemModelPreset*> Presets(int panel) const
    {
        std::set<IItemModelPreset*> presets;
        QAbstractItemModel& groups = *Groups(panel).model();
        for (int group = 0; group < groups.rowCount(); ++group) {
            auto* model = groups.index(group, 0).data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
            for (int row = 0; model && row < model->rowCount(); ++row)
                presets.insert(model->index(row, 0).data(ModelPreset::PresetRole).value<IItemModelPreset*>());
        }
        return presets;
    }

    QString PackageOf(int panel) const { return panel == 0 ? "GlimmarDemo.looks" : "GlimmarDemo.effects"; }

    // --- actions ---

    void Do(const Action& a)
    {
        const int panel = PanelIndex();
        switch (a.kind) {
        case Kind::Try:
            return TryTile(panel, a.pick);
        case Kind::Drag:
            return DragSlider(panel, a.fraction);
        case Kind::Tick:
        case Kind::Cross:
            return ClickAppliedTilePart(panel, a.kind == Kind::Tick);
        case Kind::Enter:
        case Kind::Escape:
            return PressKey(panel, a.kind == Kind::Enter ? Qt::Key_Return : Qt::Key_Escape, a.answer);
        case Kind::Undo:
            return UndoOrRedo(true);
        case Kind::Redo:
            return UndoOrRedo(false);
        case Kind::ResetAll:
            if (m_expected.triedPanel >= 0)
                m_expected.Cancel();
            m_expected.cursor = 0;
            Child<QAction>(*m_window, "actionResetAll")->trigger();
            return;
        case Kind::Group:
            Groups(panel).setCurrentIndex(a.pick % Groups(panel).count());
            return;
        case Kind::Panel:
            return SwitchPanel(panel, a.answer);
        case Kind::Favourite:
            return ToggleFavourite(panel, a.pick);
        case Kind::Save:
            return SaveAsPreset(panel, a.answer);
        case Kind::Rename:
            return RenameOrDelete(panel, a.pick, a.answer, true);
        case Kind::Delete:
            return RenameOrDelete(panel, a.pick, a.answer, false);
        case Kind::OpenPhoto:
            return OpenOtherPhoto(a.answer);
        case Kind::Walk:
            return WalkHistory();
        case Kind::Restart:
            return Restart(a.answer);
        case Kind::Key:
            return PressKeyOnTile(panel, a.pick, a.answer);
        }
    }

    void TryTile(int panel, int pick)
    {
        if (Rows(panel) == 0)
            return;
        const int row = pick % Rows(panel);
        QWidget* tile = Tile(panel, row);
        auto* button = tile ? Child<QAbstractButton>(*tile, "activateButton") : nullptr;
        if (!button || !button->isEnabled())
            return;
        // A click on the tried tile's picture takes the preset off again.
        const bool wasApplied = button->isChecked();
        if (wasApplied) {
            m_expected.Cancel();
        } else {
            ++m_expected.tries;
            m_expected.triedPanel = panel;
        }
        Click(button);
        if (m_quick)
            return;
        Settle();
        if (!wasApplied) {
            QListView& view = View(panel);
            const QRect shown = view.visualRect(view.model()->index(row, 0));
            Expect(view.viewport()->rect().contains(shown), "the tried tile is not wholly in view");
        }
    }

    // What a keyboard user does on a tile: Space on its picture or heart, Up and Down to the tiles
    // around it, keys on the tried tile's slider. The focus stays in view.
    void PressKeyOnTile(int panel, int pick, int answer)
    {
        const int applied = AppliedRow(panel);
        const bool onSlider = answer % 6 == 3 || answer % 6 == 4;
        if (Rows(panel) == 0 || (onSlider && applied < 0))
            return;
        const int row = onSlider ? applied : pick % Rows(panel);
        QWidget* tile = Tile(panel, row);
        if (!tile)
            return;
        static const char* const Parts[] = {"activateButton", "activateButton", "activateButton",
                                            "intensitySlider", "intensitySlider", "favouriteButton"};
        static const Qt::Key Keys[] = {Qt::Key_Space, Qt::Key_Down, Qt::Key_Up, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Space};
        auto* part = Child<QWidget>(*tile, Parts[answer % 6]);
        part->setFocus(Qt::TabFocusReason);
        Settle();
        if (!part->isVisible() || !part->isEnabled() || !part->hasFocus())
            return;
        if (answer % 6 == 0) {
            const bool wasApplied = Child<QAbstractButton>(*tile, "activateButton")->isChecked();
            if (wasApplied) {
                m_expected.Cancel();
            } else {
                ++m_expected.tries;
                m_expected.triedPanel = panel;
            }
        } else if (answer % 6 == 5) {
            const std::string id = View(panel).model()->index(row, 0).data(ModelPreset::IdRole).toString().toStdString();
            std::set<std::string>& favourites = m_expected.favourites[static_cast<std::size_t>(panel)];
            favourites.count(id) ? (void)favourites.erase(id) : (void)favourites.insert(id);
        }
        QTest::keyClick(part, Keys[answer % 6]);
        Settle();
        QWidget* focused = QApplication::focusWidget();
        QListView& view = View(panel);
        if (focused && view.viewport()->isAncestorOf(focused)) {
            QWidget* focusedTile = focused;
            while (focusedTile->parentWidget() != view.viewport())
                focusedTile = focusedTile->parentWidget();
            Expect(view.viewport()->rect().contains(focusedTile->geometry()), "the tile with the focus is not wholly in view");
        }
    }

    void DragSlider(int panel, double fraction)
    {
        const int row = AppliedRow(panel);
        QWidget* tile = row >= 0 ? Tile(panel, row) : nullptr;
        auto* slider = tile ? Child<QSlider>(*tile, "intensitySlider") : nullptr;
        if (!slider || !slider->isVisible())
            return;
        const int y = slider->height() / 2;
        const int to = qRound((slider->width() - 1) * fraction);
        const auto send = [slider, y](QEvent::Type type, int x, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPoint(x, y), slider->mapToGlobal(QPoint(x, y)), Qt::LeftButton, buttons, {});
            QApplication::sendEvent(slider, &event);
        };
        send(QEvent::MouseButtonPress, slider->width() / 2, Qt::LeftButton);
        send(QEvent::MouseMove, (slider->width() / 2 + to) / 2, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    void ClickAppliedTilePart(int panel, bool tick)
    {
        const int row = AppliedRow(panel);
        QWidget* tile = row >= 0 ? Tile(panel, row) : nullptr;
        if (!tile)
            return;
        if (m_expected.triedPanel == panel)
            tick ? m_expected.Confirm(QImage()) : m_expected.Cancel();
        Click(Child<QAbstractButton>(*tile, tick ? "applyBtn" : "resetBtn"));
        if (tick)
            TakeConfirmedPicture();
    }

    // The confirmed state is what the window shows once the drawer is done.
    void TakeConfirmedPicture()
    {
        Settle();
        if (!m_expected.states.back().isNull())
            return;
        m_expected.states.back() = m_window->View()->Image();
        Expect(m_expected.states.back() == Drawer().CurrentImage(), "the window does not show the drawer's render");
    }

    // Where the focus is decides nothing: Enter confirms and Escape cancels from the window,
    // the group selector and a tile alike.
    void PressKey(int panel, Qt::Key key, int focus)
    {
        QWidget* target = m_window.get();
        if (focus % 3 == 1)
            target = &Groups(panel);
        else if (focus % 3 == 2 && Rows(panel) > 0)
            target = Tile(panel, focus % Rows(panel));
        if (!target)
            target = m_window.get();
        target->setFocus();
        if (m_expected.triedPanel == panel)
            key == Qt::Key_Return ? m_expected.Confirm(QImage()) : m_expected.Cancel();
        QTest::keyClick(target, key);
        if (key == Qt::Key_Return)
            TakeConfirmedPicture();
    }

    void UndoOrRedo(bool undo)
    {
        // Undo while trying a preset takes the preset off; redo does nothing then.
        if (m_expected.triedPanel >= 0) {
            if (undo)
                m_expected.Cancel();
        } else if (undo) {
            m_expected.cursor = std::max(0, m_expected.cursor - 1);
        } else {
            m_expected.cursor = std::min(static_cast<int>(m_expected.states.size()) - 1, m_expected.cursor + 1);
        }
        QTest::keyClick(m_window.get(), Qt::Key_Z, undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    }

    // Answers the question about an unconfirmed preset: apply, discard or stay; true when not staying.
    bool AnswerLeaving(int answer, const std::function<void()>& leave)
    {
        static const char* const Buttons[] = {"firstButton", "secondButton", "thirdButton"};
        const char* button = Buttons[answer % 3];
        const bool asked = m_expected.triedPanel >= 0;
        {
            DialogAnswers answers([button](QWidget& box) { Click(Child<QAbstractButton>(box, button)); });
            leave();
        }
        if (!asked)
            return true;
        switch (answer % 3) {
        case 0:
            m_expected.Confirm(QImage());
            TakeConfirmedPicture();
            return true;
        case 1:
            m_expected.Cancel();
            return true;
        default:
            return false;
        }
    }

    void SwitchPanel(int panel, int answer)
    {
        QTabBar* bar = m_window->PanelTabs()->tabBar();
        AnswerLeaving(answer, [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1 - panel).center()); });
    }

    void ToggleFavourite(int panel, int pick)
    {
        if (Rows(panel) == 0)
            return;
        const int row = pick % Rows(panel);
        QWidget* tile = Tile(panel, row);
        if (!tile)
            return;
        const QModelIndex index = View(panel).model()->index(row, 0);
        const bool user = index.data(ModelPreset::UserPresetRole).toBool();
        Hover(*Child<QWidget>(*tile, "activateButton"));
        // A tile that shows its download has no heart and no menu.
        auto* button = Child<QAbstractButton>(*tile, user ? "settingsButton" : "favouriteButton");
        if (!button->isVisible())
            return;
        const std::string id = index.data(ModelPreset::IdRole).toString().toStdString();
        std::set<std::string>& favourites = m_expected.favourites[static_cast<std::size_t>(panel)];
        favourites.count(id) ? (void)favourites.erase(id) : (void)favourites.insert(id);
        user ? ChooseFromMenu(*tile, 0) : Click(button);
    }

    void ChooseFromMenu(QWidget& tile, int entry)
    {
        auto* button = Child<QAbstractButton>(tile, "settingsButton");
        QTest::mouseClick(button, Qt::LeftButton);
        auto* menu = button->findChild<QMenu*>();
        Expect(menu && menu->isVisible(), "the settings menu does not open");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().at(entry)).center());
    }

    // Types a name into the name dialog: a new one, or one that is taken, then gives up.
    static void TypeName(QWidget& dialog, const QString& name)
    {
        auto* field = Child<QLineEdit>(dialog, "nameEdit");
        field->selectAll();
        QTest::keyClicks(field, name);
        Click(Child<QAbstractButton>(dialog, "acceptButton"));
        if (dialog.isVisible())
            Click(Child<QAbstractButton>(dialog, "cancelButton"));
    }

    QString NameFor(int panel, int answer)
    {
        const std::set<QString>& taken = m_expected.userPresets[static_cast<std::size_t>(panel)];
        if (answer % 4 == 0 && !taken.empty())
            return *taken.begin();
        return QString("Look %1").arg(++m_expected.savedNames);
    }

    void SaveAsPreset(int panel, int answer)
    {
        const QString name = NameFor(panel, answer);
        std::set<QString>& presets = m_expected.userPresets[static_cast<std::size_t>(panel)];
        const bool hasEffects = m_expected.cursor > 0 || m_expected.triedPanel >= 0;
        const bool added = hasEffects && !presets.count(name);
        // What is tried is kept: the user saves what the photo shows.
        if (hasEffects && m_expected.triedPanel >= 0) {
            m_expected.Confirm(QImage());
        }
        {
            DialogAnswers answers([name](QWidget& dialog) {
                if (dialog.findChild<QLineEdit*>("nameEdit"))
                    TypeName(dialog, name);
                else
                    Click(dialog.findChild<QAbstractButton*>());
            });
            Click(Child<QAbstractButton>(Panel(panel), "savePresetButton"));
        }
        if (hasEffects && m_expected.states.back().isNull())
            TakeConfirmedPicture();
        if (!added)
            return;
        presets.insert(name);
        Settle();
        QAbstractItemModel& shown = *View(panel).model();
        Expect(Groups(panel).currentIndex() == 0 && shown.rowCount() > 0 &&
                   shown.index(0, 0).data(ModelPreset::NameRole).toString() == name,
               "the saved preset is not at the top of the group shown");
    }

    void RenameOrDelete(int panel, int pick, int answer, bool rename)
    {
        QAbstractItemModel& shown = *View(panel).model();
        std::vector<int> rows;
        for (int row = 0; row < shown.rowCount(); ++row) {
            if (shown.index(row, 0).data(ModelPreset::UserPresetRole).toBool())
                rows.push_back(row);
        }
        if (rows.empty())
            return;
        const int row = rows[static_cast<std::size_t>(pick) % rows.size()];
        const QModelIndex index = shown.index(row, 0);
        const QString name = index.data(ModelPreset::NameRole).toString();
        const std::string id = index.data(ModelPreset::IdRole).toString().toStdString();
        const bool applied = index.data(ModelPreset::ApplyRole).toBool();
        QWidget* tile = Tile(panel, row);
        if (!tile)
            return;
        Hover(*Child<QWidget>(*tile, "activateButton"));
        std::set<QString>& presets = m_expected.userPresets[static_cast<std::size_t>(panel)];
        if (rename) {
            const QString newName = NameFor(panel, answer);
            if (!presets.count(newName)) {
                presets.erase(name);
                presets.insert(newName);
            }
            DialogAnswers answers([newName](QWidget& dialog) { TypeName(dialog, newName); });
            return ChooseFromMenu(*tile, 1);
        }
        const bool confirmed = answer % 2 == 0;
        if (confirmed) {
            presets.erase(name);
            m_expected.favourites[static_cast<std::size_t>(panel)].erase(id);
            // A preset being tried goes off the photo with its tile.
            if (applied && m_expected.triedPanel == panel)
                m_expected.Cancel();
        }
        DialogAnswers answers([confirmed](QWidget& box) {
            Click(Child<QAbstractButton>(box, confirmed ? "firstButton" : "secondButton"));
        });
        ChooseFromMenu(*tile, 2);
    }

    void OpenOtherPhoto(int answer)
    {
        const int other = 1 - m_photo;
        if (!AnswerLeaving(answer, [&] { m_window->OpenPhoto(m_photoPaths[other]); }))
            return;
        m_photo = other;
        m_expected.NewPhoto(Photo(m_photo));
    }

    // Undo to the start and redo to the end pass every confirmed state in order; then back.
    void WalkHistory()
    {
        if (m_expected.triedPanel >= 0)
            return;
        const auto step = [this](bool undo, int to) {
            QTest::keyClick(m_window.get(), Qt::Key_Z, undo ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            Settle();
            Expect(m_window->View()->Image() == m_expected.states[static_cast<std::size_t>(to)],
                   (undo ? "undo" : "redo") + std::string(" to confirmed state ") + std::to_string(to) +
                       " shows another picture");
        };
        const int cursor = m_expected.cursor;
        const int last = static_cast<int>(m_expected.states.size()) - 1;
        for (int to = cursor - 1; to >= 0; --to)
            step(true, to);
        Expect(!Child<QAction>(*m_window, "actionUndo")->isEnabled(), "undo goes on past the photo as opened");
        for (int to = 1; to <= last; ++to)
            step(false, to);
        Expect(!Child<QAction>(*m_window, "actionRedo")->isEnabled(), "redo goes on past the last confirmed state");
        for (int to = last - 1; to >= cursor; --to)
            step(true, to);
    }

    // Closing writes the user configurations: they hold what the panels showed.
    void Restart(int answer)
    {
        bool closed = false;
        if (!AnswerLeaving(answer, [&] { closed = m_window->close(); }))
            return;
        Expect(closed, "the window did not close");
        m_window.reset();
        for (int panel : {0, 1}) {
            Tavrel::Glimmar::GlimmarPresets::PresetConfig::Config builtIn, user;
            Tavrel::Glimmar::GlimmarPresets::ConfigStore::Read("GlimmarDemo", panel == 0 ? "looks" : "effects",
                                                              panel == 0 ? "GlimmarDemoLooks" : "GlimmarDemoEffects",
                                                              builtIn, user);
            Expect(user.m_favorites == m_expected.favourites[static_cast<std::size_t>(panel)],
                   "the favourites written are not those shown");
            std::set<QString> names;
            for (const auto& group : user.m_groups)
                for (const auto& item : group.m_items)
                    names.insert(QString::fromStdString(item.m_name));
            Expect(names == m_expected.userPresets[static_cast<std::size_t>(panel)],
                   "the user presets written are not those shown");
        }
        Open();
    }

    // --- what must hold after every step ---

    void Check()
    {
        const QImage shown = m_window->View()->Image();
        Expect(shown == Drawer().CurrentImage(), "the window does not show the drawer's latest render");
        for (int panel : {0, 1})
            CheckPanel(panel);

        const DrawerEntry latest = Drawer().GetEntry(-1);
        const QImage& confirmed = m_expected.states[static_cast<std::size_t>(m_expected.cursor)];
        if (m_expected.triedPanel < 0) {
            Expect(shown == confirmed, "the photo is not the confirmed state " + std::to_string(m_expected.cursor) +
                                           " of " + std::to_string(m_expected.states.size()));
        } else {
            Expect(QString::fromStdString(latest.settings.Package().GetPackageName()) == PackageOf(m_expected.triedPanel),
                   "the tried preset is not the drawer's latest entry");
            Expect(shown == EffectRenderer::Render(confirmed, latest.settings),
                   "the photo is not the tried preset on the confirmed state " + std::to_string(m_expected.cursor));
        }

        int tries = 0, confirms = 0, cancels = 0;
        for (const auto& event : m_window->Document()->Workspace()->Statistics().Events()) {
            const QString name = QString::fromStdString(event.name);
            tries += name.endsWith("_click");
            confirms += name.endsWith("_applied");
            cancels += name.endsWith("_reseted");
        }
        Expect(tries == m_expected.tries && confirms == m_expected.confirms && cancels == m_expected.cancels,
               "the usage log says " + std::to_string(tries) + " tries, " + std::to_string(confirms) + " confirms, " +
                   std::to_string(cancels) + " cancels; the user made " + std::to_string(m_expected.tries) + ", " +
                   std::to_string(m_expected.confirms) + ", " + std::to_string(m_expected.cancels));
    }

    void CheckPanel(int panel)
    {
        const std::string name = panel == 0 ? "Looks" : "Effects";
        std::vector<IItemModelPreset*> applied;
        std::set<std::string> favourites;
        std::set<QString> userPresets;
        for (IItemModelPreset* preset : Presets(panel)) {
            if (preset->IsApply())
                applied.push_back(preset);
            if (preset->IsFavourite())
                favourites.insert(preset->GetId());
            if (preset->IsUserPreset())
                userPresets.insert(QString::fromStdString(preset->GetName().getUntranslated()));
        }
        const bool tried = m_expected.triedPanel == panel;
        Expect(applied.size() == (tried ? 1u : 0u),
               name + ": " + std::to_string(applied.size()) + " presets are applied, " + (tried ? "one" : "none") +
                   " is tried");
        Expect(Panel(panel).List().HasChanges() == tried, name + ": HasChanges does not tell whether a preset is tried");
        if (tried) {
            const std::string id = Drawer().GetEntry(-1).settings.Package().GetPresetName();
            Expect(applied.front()->GetId() == id, name + ": the applied preset is not the one on the photo");
        }
        Expect(favourites == m_expected.favourites[static_cast<std::size_t>(panel)], name + ": favourites differ");
        Expect(userPresets == m_expected.userPresets[static_cast<std::size_t>(panel)], name + ": user presets differ");

        // Every open tile shows its row's state.
        QListView& view = View(panel);
        QAbstractItemModel& model = *view.model();
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, 0);
            QWidget* tile = view.indexWidget(index);
            if (!tile)
                continue;
            const std::string where = name + " row " + std::to_string(row) + ": ";
            const bool isApplied = index.data(ModelPreset::ApplyRole).toBool();
            const bool withSlider = isApplied && index.data(ModelPreset::IntensityEnabledRole).toBool();
            Expect(Child<QAbstractButton>(*tile, "activateButton")->isChecked() == isApplied,
                   where + "the tile's picture says otherwise than the list whether it is applied");
            Expect(Child<QWidget>(*tile, "applyContainer")->isVisibleTo(tile) == isApplied,
                   where + "the tile's tick and cross say otherwise than the list whether it is applied");
            Expect(Child<QWidget>(*tile, "sliderFrame")->isVisibleTo(tile) == withSlider,
                   where + "the tile's slider is shown wrongly");
            // A configured intensity may lie outside the slider's range; the slider shows its end then.
            const int intensity = std::clamp(index.data(ModelPreset::IntensityValueRole).toInt(),
                                             index.data(ModelPreset::IntensityMinRole).toInt(),
                                             index.data(ModelPreset::IntensityMaxRole).toInt());
            Expect(!withSlider || Child<QSlider>(*tile, "intensitySlider")->value() == intensity,
                   where + "the tile's slider is not at the preset's intensity");
            if (!index.data(ModelPreset::UserPresetRole).toBool()) {
                Expect(Child<QAbstractButton>(*tile, "favouriteButton")->isChecked() ==
                           index.data(ModelPreset::FavouriteRole).toBool(),
                       where + "the tile's heart is wrong");
            }
        }
    }

    const QByteArray m_previousCache;
    QTemporaryDir m_folder;
    std::array<QString, 2> m_photoPaths;
    int m_photo = 0;
    std::unique_ptr<MainWindow> m_window;
    Expected m_expected;
    bool m_quick = false;
};

std::optional<std::pair<std::size_t, std::string>> Replay(const std::vector<Action>& actions)
{
    Session session;
    return session.Run(actions);
}

// The shortest sequence found that still fails for the same reason (each chunk dropped in
// turn, halving the chunks), within a time budget.
std::vector<Action> Shorten(std::vector<Action> actions, const std::string& reason, qint64 budgetMs)
{
    QElapsedTimer spent;
    spent.start();
    for (std::size_t chunk = actions.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t from = 0; from < actions.size() && spent.elapsed() < budgetMs;) {
            std::vector<Action> shorter(actions.begin(), actions.begin() + static_cast<std::ptrdiff_t>(from));
            const std::size_t to = std::min(actions.size(), from + chunk);
            shorter.insert(shorter.end(), actions.begin() + static_cast<std::ptrdiff_t>(to), actions.end());
            if (const auto failure = Replay(shorter); failure && failure->second == reason) {
                shorter.resize(failure->first + 1);
                actions = std::move(shorter);
            } else {
                from += chunk;
            }
        }
        if (chunk == 1)
            break;
    }
    return actions;
}

std::vector<unsigned> Seeds()
{
    const QString text = qEnvironmentVariable("GLIMMAR_MONKEY_SEEDS", "1-30");
    std::vector<unsigned> seeds;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
        const QStringList range = part.split('-');
        const unsigned first = range.front().toUInt();
        const unsigned last = range.back().toUInt();
        for (unsigned seed = first; seed <= last; ++seed)
            seeds.push_back(seed);
    }
    return seeds;
}

TEST(RandomSessions, TilesListsAndPhotoAgreeAfterEveryStepAndNothingConfirmedIsLost)
{
    const int steps = qEnvironmentVariableIntValue("GLIMMAR_MONKEY_STEPS") > 0
                          ? qEnvironmentVariableIntValue("GLIMMAR_MONKEY_STEPS")
                          : 400;
    const std::vector<unsigned> seeds = Seeds();
    for (unsigned seed : seeds) {
        const std::vector<Action> actions = Generate(seed, steps);
        const auto failure = Replay(actions);
        if (!failure)
            continue;
        std::vector<Action> failing(actions.begin(), actions.begin() + static_cast<std::ptrdiff_t>(failure->first) + 1);
        const std::vector<Action> shortest = Shorten(failing, failure->second, 120000);
        const auto reason = Replay(shortest);
        std::ostringstream text;
        text << "seed " << seed << " failed at step " << failure->first + 1 << ": " << failure->second
             << "\nshortest sequence found (" << shortest.size() << " steps), failing with: "
             << (reason ? reason->second : std::string("(passes alone)")) << '\n';
        for (std::size_t i = 0; i < shortest.size(); ++i)
            text << "  " << i + 1 << ". " << Describe(shortest[i]) << '\n';
        ADD_FAILURE() << text.str();
        return;
    }
    printf("%zu random sessions of %d steps each passed (%zu steps)\n", seeds.size(), steps, seeds.size() * steps);
}

} // namespace
