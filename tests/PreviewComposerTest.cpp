#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Drawer/PreviewComposer.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace Tavrel::PhotoCore;

namespace {

const QRgb GREY = qRgb(100, 100, 100);
const QRgb RED = qRgb(200, 0, 0);
const QRgb MARK = qRgb(0, 0, 255);

QImage Uniform(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The effect paints the input's left column: where it lands shows what the effect saw.
QImage MarkLeftColumn(const QImage& input, const EffectsSettings&)
{
    QImage output = input.copy();
    for (int y = 0; y < output.height(); ++y)
        output.setPixel(0, y, MARK);
    return output;
}

EffectsSettings SomeEffect()
{
    EffectsSettings settings;
    settings.Effects().push_back(EffectSettingsImpl<SettingsEffectExposure>::Create(SettingsEffectExposure()));
    return settings;
}

PreviewPolicy Policy(EffectPolicy effect, CropPolicy crop)
{
    PreviewPolicy policy;
    policy.m_effectPolicy = effect;
    policy.m_cropPolicy = crop;
    return policy;
}

} // namespace

TEST(PreviewComposer, SplitShowsOriginalLeftEffectRightAndALineOfPixelRatioWidth)
{
    const auto brighten = [](const QImage& input, const EffectsSettings&) { return Uniform(input.width(), input.height(), RED); };
    PreviewPolicy policy = Policy(EffectPolicy::ApplySplit, CropPolicy::BeforeEffect);
    policy.m_splitColor.channels = {0, 255, 0, 255};
    policy.pixelRatio = 2;

    const QImage tile = PreviewComposer().Compose(Uniform(300, 200, GREY), SomeEffect(), QSize(100, 40), policy, brighten);
    ASSERT_EQ(tile.size(), QSize(100, 40));
    EXPECT_EQ(tile.format(), QImage::Format_RGB32);
    for (const int y : {0, 39}) {
        EXPECT_EQ(tile.pixel(0, y), GREY);
        EXPECT_EQ(tile.pixel(48, y), GREY);
        EXPECT_EQ(tile.pixel(49, y), qRgb(0, 255, 0));
        EXPECT_EQ(tile.pixel(50, y), qRgb(0, 255, 0));
        EXPECT_EQ(tile.pixel(51, y), RED);
        EXPECT_EQ(tile.pixel(99, y), RED);
    }
}

TEST(PreviewComposer, CropsBeforeOrAfterTheEffectOrStretches)
{
    // A 2:1 picture with a red left quarter, shown in a square tile.
    QImage picture = Uniform(200, 100, GREY);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 50; ++x)
            picture.setPixel(x, y, RED);
    const QSize square(50, 50);

    const QImage before = PreviewComposer().Compose(picture, SomeEffect(), square,
                                                   Policy(EffectPolicy::ApplyNormal, CropPolicy::BeforeEffect), MarkLeftColumn);
    EXPECT_EQ(before.pixel(0, 25), MARK) << "the effect saw the cropped picture";
    EXPECT_EQ(before.pixel(2, 25), GREY) << "the centre square lies right of the red quarter";

    const QImage after = PreviewComposer().Compose(picture, SomeEffect(), square,
                                                  Policy(EffectPolicy::ApplyNormal, CropPolicy::AfterEffect), MarkLeftColumn);
    EXPECT_EQ(after.size(), square);
    EXPECT_EQ(after.pixel(0, 25), GREY) << "the effect saw the whole picture, the mark was cropped away";

    const QImage stretched = PreviewComposer().Compose(picture, SomeEffect(), square,
                                                      Policy(EffectPolicy::Original, CropPolicy::Disable), MarkLeftColumn);
    EXPECT_EQ(stretched.pixel(5, 25), RED) << "the whole picture is squeezed in";
    EXPECT_EQ(stretched.pixel(0, 25), RED) << "Original shows no effect";
}

TEST(PreviewComposer, KeptScaledPictureIsNeverServedForAnotherPictureOrPart)
{
    PreviewComposer composer;
    const PreviewPolicy original = Policy(EffectPolicy::Original, CropPolicy::BeforeEffect);
    QImage picture = Uniform(300, 200, GREY);
    EXPECT_EQ(composer.Compose(picture, SomeEffect(), QSize(30, 20), original, MarkLeftColumn).pixel(15, 10), GREY);

    // The same image object, changed in place, is another picture.
    picture.fill(RED);
    EXPECT_EQ(composer.Compose(picture, SomeEffect(), QSize(30, 20), original, MarkLeftColumn).pixel(15, 10), RED);

    // The same picture at the same size, but another part of it: grey on the left third.
    QImage thirds = Uniform(300, 200, RED);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x)
            thirds.setPixel(x, y, GREY);
    const QImage stretched = composer.Compose(thirds, SomeEffect(), QSize(20, 20),
                                              Policy(EffectPolicy::Original, CropPolicy::Disable), MarkLeftColumn);
    const QImage cropped = composer.Compose(thirds, SomeEffect(), QSize(20, 20), original, MarkLeftColumn);
    EXPECT_EQ(stretched.pixel(5, 10), GREY);
    EXPECT_EQ(cropped.pixel(5, 10), RED); // the centred square starts a sixth of the way in
}
