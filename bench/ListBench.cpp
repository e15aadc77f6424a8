#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"
#include "Host/Drawer/PreviewCountingWorkspace.h"
#include "Host/Drawer/WorkspaceController.h"

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

using Tavrel::Glimmar::GlimmarPresets::PresetListWithGroups;

namespace {

// A list that opens on the group of all presets, on the real drawer and the bench photo.
class ListSetup {
public:
    ListSetup(int groups, int itemsPerGroup)
        : m_controller(std::make_shared<Tavrel::PhotoCore::WorkspaceController>(BenchPhoto())),
          m_initializer(BenchList(m_configDir, "Bench", BenchConfig(groups, itemsPerGroup), m_packageInfo))
    {
    }

    /// The list shown and painted once; with tilePerRow every row has its tile open.
    /// workspace: another view of the setup's workspace (Workspace()); empty: that one.
    std::unique_ptr<PresetListWithGroups> Open(bool tilePerRow,
                                               std::shared_ptr<Tavrel::PhotoCore::IWorkspaceController> workspace = {})
    {
        auto list = std::make_unique<PresetListWithGroups>(nullptr, m_initializer, nullptr);
        list->SetWorkspaceController(workspace ? workspace : m_controller);
        list->resize(260, 800);
        list->show();
        QListView* view = View(*list);
        if (tilePerRow) {
            for (int row = 0; row < view->model()->rowCount(); ++row)
                view->openPersistentEditor(view->model()->index(row, 0));
        }
        QCoreApplication::processEvents();
        list->repaint();
        return list;
    }

    static QListView* View(PresetListWithGroups& list) { return list.findChild<QListView*>(QStringLiteral("view")); }
    const std::shared_ptr<Tavrel::PhotoCore::WorkspaceController>& Workspace() const { return m_controller; }

private:
    QTemporaryDir m_configDir;
    Tavrel::PhotoCore::PackageInfo m_packageInfo;
    std::shared_ptr<Tavrel::PhotoCore::WorkspaceController> m_controller;
    PresetListWithGroups::Initializer m_initializer;
};

// Opening 10,000 presets in 50 groups to the first painted frame.
void ListFirstFrame(benchmark::State& state)
{
    const bool tilePerRow = state.range(0) != 0;
    ListSetup setup(50, 200);
    for (auto _ : state) {
        auto list = setup.Open(tilePerRow);
        state.PauseTiming();
        list.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(ListFirstFrame)->ArgName("tilePerRow")->Arg(0)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(ListFirstFrame)->ArgName("tilePerRow")->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// One wheel step (a quarter tile) down the list, repainted, going back up at the end.
// Previews render on the drawer's thread: compare real time.
void ListScrollStep(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const bool tilePerRow = state.range(1) != 0;
    // One group, so that both lengths start with the same presets and the same previews.
    ListSetup setup(1, rows);
    auto list = setup.Open(tilePerRow);
    QListView* view = ListSetup::View(*list);
    QScrollBar* bar = view->verticalScrollBar();
    const int step = std::max(1, view->visualRect(view->model()->index(0, 0)).height() / 4);
    int direction = 1;
    for (auto _ : state) {
        if (bar->value() + direction * step > bar->maximum() || bar->value() + direction * step < 0)
            direction = -direction;
        bar->setValue(bar->value() + direction * step);
        view->viewport()->repaint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(ListScrollStep)->ArgNames({"rows", "tilePerRow"})->Args({100, 0})->Args({10000, 0})->UseRealTime()->Unit(
    benchmark::kMicrosecond);
BENCHMARK(ListScrollStep)->ArgNames({"rows", "tilePerRow"})->Args({10000, 1})->Iterations(20)->UseRealTime()->Unit(
    benchmark::kMicrosecond);

// 1,000 presets scrolled from the top to the bottom twice, a page at a time. Scrolling back
// should render nothing again: renders_per_preset counts the drawer's preview renders.
void ListScrollDownTwice(benchmark::State& state)
{
    constexpr int rows = 1000;
    ListSetup setup(1, rows);
    double renders = 0.0;
    for (auto _ : state) {
        auto counting = std::make_shared<Tavrel::PhotoCore::PreviewCountingWorkspace>(setup.Workspace());
        auto list = setup.Open(false, counting);
        QListView* view = ListSetup::View(*list);
        QScrollBar* bar = view->verticalScrollBar();
        for (int pass = 0; pass < 2; ++pass) {
            for (int value = 0;; value = std::min(value + bar->pageStep(), bar->maximum())) {
                bar->setValue(value);
                view->viewport()->repaint();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                if (value == bar->maximum())
                    break;
            }
        }
        renders += counting->Count();
        state.PauseTiming();
        list.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["renders_per_preset"] = renders / rows / static_cast<double>(state.iterations());
}
BENCHMARK(ListScrollDownTwice)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
