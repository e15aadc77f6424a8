#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"
#include "Host/Drawer/WorkspaceController.h"
#include "Host/Render/EffectRenderer.h"
#include "demo/PhotoDocument.h"
#include "demo/PhotoView.h"

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <vector>

#include <time.h>

using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
using Tavrel::Glimmar::GlimmarPresets::PresetListWithGroups;
using Tavrel::PhotoCore::PhotoCoreDrawer;

namespace {

constexpr int SLIDER_STEPS = 100;
// One slider value per frame of a 60 Hz screen.
constexpr int STEP_MS = 16;
constexpr int PLAIN_RENDERS = 5;

// CPU time of the calling thread: on a busy machine a long gap between two ticks may be
// the scheduler's, not the UI thread's own work.
qint64 ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Each picture the photo view is given, with when it was painted first.
class ScreenLog : public QObject {
public:
    explicit ScreenLog(Tavrel::Demo::PhotoView& view) : m_view(view) { view.viewport()->installEventFilter(this); }

    /// Nanoseconds on clock from its start to the first paint of the picture; -1 if never painted.
    qint64 FirstPaintOf(qint64 cacheKey) const
    {
        const auto found = std::find_if(m_paints.begin(), m_paints.end(),
                                        [cacheKey](const Paint& paint) { return paint.cacheKey == cacheKey; });
        return found == m_paints.end() ? -1 : found->at;
    }
    void Start() { m_clock.start(); }
    const QElapsedTimer& Clock() const { return m_clock; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_clock.isValid())
            m_paints.push_back({m_view.Image().cacheKey(), m_clock.nsecsElapsed()});
        return QObject::eventFilter(watched, event);
    }

private:
    struct Paint {
        qint64 cacheKey;
        qint64 at;
    };
    Tavrel::Demo::PhotoView& m_view;
    QElapsedTimer m_clock;
    std::vector<Paint> m_paints;
};

// The demo's photo view on a 24-megapixel photo, and a preset list on its drawer.
class SliderSetup {
public:
    SliderSetup()
        : m_initializer(BenchList(m_configDir, "Slider", BenchConfig(1, 8), m_packageInfo)),
          m_document(BenchPhoto(), QString(), QString())
    {
        m_document.ShowIn(m_view);
        m_view.resize(1280, 800);
        m_view.show();
        m_list = std::make_unique<PresetListWithGroups>(nullptr, m_initializer, nullptr);
        m_list->SetWorkspaceController(m_document.Workspace());
        m_list->resize(260, 800);
        m_list->show();
        Settle();
    }

    PhotoCoreDrawer& Drawer() { return m_document.Workspace()->Drawer(); }
    Tavrel::Demo::PhotoDocument& Document() { return m_document; }
    Tavrel::Demo::PhotoView& View() { return m_view; }

    /// Applies the first preset with an intensity slider, as a click on its tile does; gives its slider.
    QSlider* ApplyPresetWithSlider()
    {
        auto* view = m_list->findChild<QListView*>(QStringLiteral("view"));
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            const QModelIndex index = view->model()->index(row, 0);
            if (!index.data(ModelPreset::IntensityEnabledRole).toBool())
                continue;
            view->scrollTo(index);
            // The delegate opens the tiles of the rows it paints, once they are laid out.
            QCoreApplication::processEvents();
            view->viewport()->repaint();
            QWidget* tile = view->indexWidget(index);
            QTest::mouseClick(tile->findChild<QAbstractButton*>(QStringLiteral("activateButton")), Qt::LeftButton);
            Settle();
            return view->indexWidget(index)->findChild<QSlider*>(QStringLiteral("intensitySlider"));
        }
        return nullptr;
    }

    /// Until the drawer is idle and its events are delivered.
    void Settle()
    {
        for (int round = 0; round < 3; ++round) {
            Drawer().WaitUntilIdle();
            QCoreApplication::processEvents();
        }
    }

private:
    QTemporaryDir m_configDir;
    Tavrel::PhotoCore::PackageInfo m_packageInfo;
    PresetListWithGroups::Initializer m_initializer;
    Tavrel::Demo::PhotoDocument m_document;
    Tavrel::Demo::PhotoView m_view;
    std::unique_ptr<PresetListWithGroups> m_list;
};

// Drags an applied preset's intensity slider through 100 values, one per 16 ms event-loop
// tick, and lets it go, on the real list, drawer and photo view. Reports the longest gap of
// a 1 ms timer on the UI thread (and the UI thread's own CPU time within a gap), the longest
// slider step, the time from the last value to
// its full render on screen against a plain full render, and the full-size renders begun
// and finished.
void SliderDrag(benchmark::State& state)
{
    SliderSetup setup;
    QSlider* slider = setup.ApplyPresetWithSlider();
    if (!slider) {
        state.SkipWithError("no preset with a slider");
        return;
    }
    for (auto _ : state) {
        const PhotoCoreDrawer::RenderCounts before = setup.Drawer().Counts();
        const qint64 renderedBefore = setup.Document().Rendered().cacheKey();
        ScreenLog screen(setup.View());
        QEventLoop loop;

        qint64 lastGapCheck = 0;
        qint64 longestGap = 0;
        qint64 lastCpu = ThreadCpuNanoseconds();
        qint64 longestGapCpu = 0;
        QTimer gaps;
        gaps.setTimerType(Qt::PreciseTimer);
        QObject::connect(&gaps, &QTimer::timeout, [&] {
            const qint64 now = screen.Clock().nsecsElapsed();
            const qint64 cpu = ThreadCpuNanoseconds();
            longestGap = std::max(longestGap, now - lastGapCheck);
            longestGapCpu = std::max(longestGapCpu, cpu - lastCpu);
            lastGapCheck = now;
            lastCpu = cpu;
        });

        int step = 0;
        qint64 longestStep = 0;
        qint64 lastValueAt = 0;
        QTimer drag;
        drag.setTimerType(Qt::PreciseTimer);
        QObject::connect(&drag, &QTimer::timeout, [&] {
            QElapsedTimer handler;
            handler.start();
            if (step < SLIDER_STEPS) {
                if (step == 0)
                    slider->setSliderDown(true);
                // The user has set the value once the slider is given it: what the slider's
                // handlers then do is part of the wait.
                lastValueAt = screen.Clock().nsecsElapsed();
                slider->setValue(slider->minimum() + (slider->maximum() - slider->minimum()) * (step + 1) / SLIDER_STEPS);
            } else {
                slider->setSliderDown(false);
                drag.stop();
            }
            longestStep = std::max(longestStep, handler.nsecsElapsed());
            ++step;
        });
        // Done once the final render of the last value is on screen.
        QTimer done;
        QObject::connect(&done, &QTimer::timeout, [&] {
            const qint64 rendered = setup.Document().Rendered().cacheKey();
            if (step > SLIDER_STEPS && rendered != renderedBefore && screen.FirstPaintOf(rendered) >= 0)
                loop.quit();
        });

        screen.Start();
        lastCpu = ThreadCpuNanoseconds();
        gaps.start(1);
        drag.start(STEP_MS);
        done.start(5);
        loop.exec();
        gaps.stop();
        done.stop();
        setup.Settle();

        const qint64 finalKey = setup.Document().Rendered().cacheKey();
        const PhotoCoreDrawer::RenderCounts after = setup.Drawer().Counts();
        state.PauseTiming();
        // A plain full render of the last value, in the same run: the median of a few, as one
        // render alone may land on a page fault or a busy core.
        std::vector<double> plainMs;
        for (int render = 0; render < PLAIN_RENDERS; ++render) {
            QElapsedTimer plain;
            plain.start();
            benchmark::DoNotOptimize(
                Tavrel::PhotoCore::EffectRenderer::Render(BenchPhoto(), setup.Drawer().GetEntry(-1).settings));
            plainMs.push_back(plain.nsecsElapsed() / 1e6);
        }
        std::nth_element(plainMs.begin(), plainMs.begin() + PLAIN_RENDERS / 2, plainMs.end());
        const double fullRenderMs = plainMs[PLAIN_RENDERS / 2];
        state.ResumeTiming();

        const double lastValueToScreenMs = (screen.FirstPaintOf(finalKey) - lastValueAt) / 1e6;
        state.counters["longestGapMs"] = longestGap / 1e6;
        state.counters["longestGapCpuMs"] = longestGapCpu / 1e6;
        state.counters["longestStepMs"] = longestStep / 1e6;
        state.counters["fullRenderMs"] = fullRenderMs;
        state.counters["lastValueToScreenMs"] = lastValueToScreenMs;
        state.counters["lastValueToScreen/fullRender"] = lastValueToScreenMs / fullRenderMs;
        state.counters["fullRendersStarted"] = after.started - before.started;
        state.counters["fullRendersFinished"] = after.finished - before.finished;
    }
}
BENCHMARK(SliderDrag)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
