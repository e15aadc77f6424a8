#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"
#include "LogCapture.h"
#include "RecordingWorkspace.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

using Tavrel::Glimmar::GlimmarPresets::EffectPreviewGenerator;
using namespace Tavrel::PhotoCore;

namespace {

// A widget on a screen of the given pixel ratio.
class ScaledWidget : public QWidget {
public:
    explicit ScaledWidget(qreal ratio) : m_ratio(ratio) {}

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        if (metric == PdmDevicePixelRatioScaled)
            return qRound(m_ratio * devicePixelRatioFScale());
        if (metric == PdmDevicePixelRatio)
            return qRound(m_ratio);
        return QWidget::metric(metric);
    }

private:
    qreal m_ratio;
};

int AlphaAt(const QPixmap& pixmap, QPoint point) { return qAlpha(pixmap.toImage().pixel(point)); }

PreviewPolicy Policy(EffectPolicy effectPolicy)
{
    PreviewPolicy policy;
    policy.m_effectPolicy = effectPolicy;
    return policy;
}

struct RatioCase {
    qreal ratio;
    QSize logical;
    int rounding;
    QSize device;
    int policyRatio;
    std::optional<QPoint> cutCorner; // outside the expected rounded corner
    QPoint keptCorner; // inside it, but outside a corner of the wrong radius
};

class PreviewGeneratorRatio : public ::testing::TestWithParam<RatioCase> {};

} // namespace

TEST_P(PreviewGeneratorRatio, AsksOnlyWhereToRenderAndRendersTheOpenPhotoAtDeviceSizeWithScaledCorners)
{
    const RatioCase c = GetParam();
    auto controller = std::make_shared<RecordingWorkspace::Controller>();
    ScaledWidget widget(c.ratio);
    auto* generator = new EffectPreviewGenerator(&widget);
    generator->SetWorkspaceController(controller);
    generator->SetPreviewSize(c.logical);
    generator->SetPreviewRounding(c.rounding);
    controller->drawer->latest.settings.Package().SetPackageName("looks");
    controller->drawer->packagePositions["looks"] = 3;

    PreviewPolicy policy;
    policy.m_applyWithMask = true;
    const QPixmap preview = generator->GetPreview(EffectsSettings(), policy);

    EXPECT_EQ(controller->handlersAdded, 0) << "registers for no drawer events";
    EXPECT_EQ(controller->drawer->reads, (std::vector<std::string>{"GetEntry(-1)", "FindPackagePosition(looks)"}))
        << "the latest entry and its package's position, nothing else";
    ASSERT_EQ(controller->drawer->requests.size(), 1u);
    const auto& request = controller->drawer->requests.front();
    EXPECT_EQ(QSize(request.size.width, request.size.height), c.device);
    EXPECT_EQ(request.size.pixelAspectNumerator, 1);
    EXPECT_EQ(request.size.pixelAspectDenominator, 1);
    EXPECT_EQ(request.policy.pixelRatio, c.policyRatio);
    EXPECT_TRUE(request.policy.m_applyWithMask) << "other policy members pass unchanged";
    EXPECT_EQ(request.position, 3) << "renders at the position before the latest entry's package";

    ASSERT_EQ(preview.size(), c.device);
    EXPECT_EQ(AlphaAt(preview, c.cutCorner.value_or(c.keptCorner)), c.cutCorner ? 0 : 255);
    EXPECT_EQ(AlphaAt(preview, c.keptCorner), 255);
    EXPECT_EQ(AlphaAt(preview, {c.device.width() / 2, c.device.height() / 2}), 255);
}

// Ratio 2: radius 2 x 10 = 20 device pixels. Ratio 1.5: 149 / 99 = 1, radius 20, not 30.
// Ratio 1: radius 0 leaves the corners square.
INSTANTIATE_TEST_SUITE_P(Ratios, PreviewGeneratorRatio,
                         ::testing::Values(RatioCase{2.0, {100, 60}, 10, {200, 120}, 2, QPoint(4, 4), {8, 8}},
                                           RatioCase{1.5, {99, 61}, 20, {149, 92}, 1, QPoint(3, 3), {7, 7}},
                                           RatioCase{1.0, {80, 50}, 0, {80, 50}, 1, std::nullopt, {0, 0}}));

TEST(EffectPreviewGenerator, SourcePictureIsStretchedAndOriginalPolicyNeverAsksTheDrawer)
{
    auto controller = std::make_shared<RecordingWorkspace::Controller>();
    ScaledWidget widget(1.5);
    EffectPreviewGenerator generator(&widget);
    generator.SetWorkspaceController(controller);
    generator.SetPreviewSize({99, 61});
    generator.SetPreviewRounding(5);
    QPixmap source(10, 30);
    source.fill(Qt::blue);

    const QPixmap rendered = generator.GetPreview(source, EffectsSettings(), Policy(EffectPolicy::ApplyNormal));
    ASSERT_EQ(controller->drawer->requests.size(), 1u);
    EXPECT_EQ(controller->drawer->requests[0].sourceSize, QSize(149, 92)) << "stretched to the device size";
    EXPECT_EQ(controller->drawer->requests[0].policy.pixelRatio, 1);
    EXPECT_EQ(rendered.size(), QSize(149, 92));
    EXPECT_EQ(rendered.toImage().pixelColor(70, 40), QColor(Qt::red)) << "the drawer's picture is returned";

    const QPixmap original = generator.GetPreview(source, EffectsSettings(), Policy(EffectPolicy::Original));
    EXPECT_EQ(controller->drawer->requests.size(), 1u);
    ASSERT_EQ(original.size(), QSize(149, 92));
    EXPECT_EQ(original.toImage().pixelColor(70, 40), QColor(Qt::blue));
    EXPECT_EQ(AlphaAt(original, {0, 0}), 0) << "still rounded";
    EXPECT_TRUE(controller->drawer->reads.empty()) << "a source picture needs no position in the history";
}

TEST(EffectPreviewGenerator, WithoutControllerOrSizeEveryPreviewIsNull)
{
    QWidget widget;
    EffectPreviewGenerator generator(&widget);
    QPixmap source(10, 10);
    source.fill(Qt::blue);
    const auto nothingShown = [&] {
        return generator.GetPreview(EffectsSettings(), PreviewPolicy()).isNull() &&
               generator.GetPreview(source, EffectsSettings(), Policy(EffectPolicy::Original)).isNull();
    };
    auto controller = std::make_shared<RecordingWorkspace::Controller>();
    generator.SetWorkspaceController(controller);
    const LogCapture log;
    EXPECT_TRUE(nothingShown()) << "no size yet: no division by zero";
    EXPECT_TRUE(controller->drawer->requests.empty());
    EXPECT_EQ(log.Warnings().size(), 2u);

    generator.SetPreviewSize({50, 40});
    EXPECT_FALSE(generator.GetPreview(EffectsSettings(), PreviewPolicy()).isNull());
    controller.reset();
    EXPECT_TRUE(nothingShown()) << "the link to the controller is weak";
}
