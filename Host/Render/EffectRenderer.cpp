#include "Host/Render/EffectRenderer.h"

#include "Host/QtUtils/ThreadHandOver.h"
#include "Host/Render/ImageBuffer.h"
#include "Host/Render/RenderPlan.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <exception>
#include <vector>

namespace Tavrel::PhotoCore {
namespace {

QImage Opaque(const QImage& input)
{
    return input.format() == QImage::Format_RGB32 ? input : input.convertToFormat(QImage::Format_RGB32);
}

// The plan run over source, band by band; nullopt when cancelled.
std::optional<QImage> Run(const RenderPlan& plan, const QImage& source, const EffectRenderer::RenderOptions& options)
{
    if (plan.IsEmpty() || source.isNull())
        return source;
    QImage target = ImageBuffer::Allocate(source.size());
    const auto from = PixelBand::Lines(source, 0);
    const auto to = PixelBand::Lines(target, 0);
    const int width = source.width();
    const int height = source.height();
    const int rows = std::max(1, EffectRenderer::BAND_BYTES / (width * 4));
    const int bands = (height + rows - 1) / rows;

    // Each worker takes the next band until none is left; the calling thread is one of them.
    std::atomic<int> next{0};
    std::atomic<bool> cancelled{false};
    const auto work = [&] {
        for (int band = next++; band < bands && !cancelled; band = next++) {
            if (options.cancelled && options.cancelled()) {
                cancelled = true;
                return;
            }
            const int top = band * rows;
            plan.Run({{from[top], from.stride}, {to[top], to.stride}, width, top, std::min(rows, height - top)});
        }
    };
    const int threads = std::min(options.threads > 0 ? options.threads : QThread::idealThreadCount(), bands);
    std::vector<ThreadHandOver::Task> helpers;
    for (int helper = 1; helper < threads; ++helper)
        helpers.push_back(ThreadHandOver::Run(QThreadPool::globalInstance(), work));
    // A helper still queued when the work is done runs here, finds no band and returns.
    // Every helper is waited for before a failure goes on: they use this frame.
    const auto join = [&helpers] {
        std::exception_ptr failure;
        for (auto& helper : helpers) {
            try {
                helper.Wait();
            } catch (...) {
                failure = failure ? failure : std::current_exception();
            }
        }
        if (failure)
            std::rethrow_exception(failure);
    };
    try {
        work();
    } catch (...) {
        cancelled = true;
        join();
        throw;
    }
    join();
    if (cancelled)
        return std::nullopt;
    return target;
}

} // namespace

QImage EffectRenderer::Render(const QImage& input, const EffectsSettings& settings)
{
    return *Render(input, settings, RenderOptions());
}

std::optional<QImage> EffectRenderer::Render(const QImage& input, const EffectsSettings& settings,
                                             const RenderOptions& options)
{
    const QImage source = Opaque(input);
    return Run(RenderPlan(settings.EffectsConst(), settings.Package().blendLevel, source.size()), source, options);
}

QImage EffectRenderer::Render(const QImage& input, const IEffectSettings& effect)
{
    const QImage source = Opaque(input);
    return *Run(RenderPlan(effect, source.size()), source, RenderOptions());
}

} // namespace Tavrel::PhotoCore
