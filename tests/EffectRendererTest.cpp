#include "Host/Render/EffectRenderer.h"
#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>

#include <cstdlib>

using namespace Tavrel;
using namespace Tavrel::PhotoCore;

namespace {

// Mid-range colours of every hue, so that both brightening and darkening show.
QImage Photo(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(40 + (x * 37 + y * 11) % 170, 40 + (x * 13 + y * 29) % 170, 40 + (x * 7 + y * 41) % 170));
    }
    return image;
}

IEffectSettings::Ptr Effect(const std::string& classId, std::initializer_list<std::pair<const char*, PropertyTree>> parameters = {})
{
    PropertyTree tree;
    tree.convertToMap();
    tree.getMap()["class"] = PropertyTree(classId);
    for (const auto& [name, value] : parameters)
        tree.getMap()[name] = value;
    return EffectSettings::DeserializePtr(tree);
}

struct Totals {
    long long red = 0, green = 0, blue = 0;
    long long Sum() const { return red + green + blue; }
};

Totals Sum(const QImage& image, QRect area = QRect())
{
    if (area.isNull())
        area = image.rect();
    Totals totals;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            totals.red += qRed(p);
            totals.green += qGreen(p);
            totals.blue += qBlue(p);
        }
    }
    return totals;
}

int Channel(QRgb p, int channel)
{
    return channel == 0 ? qRed(p) : channel == 1 ? qGreen(p) : qBlue(p);
}

std::shared_ptr<EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>> Blender(
    const IEffectSettings::Ptr& inner, int level, bool fillMask, bool renderInner)
{
    auto blender = EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>::Create(
        SettingsEffectMaskBlender());
    blender->Settings().SetEffectsImpl({inner}, true);
    blender->Settings().SetLevel(level);
    blender->Settings().SetFillMask(fillMask);
    blender->Settings().SetRenderInner(renderInner);
    return blender;
}

} // namespace

class EffectIdentity : public testing::TestWithParam<const char*> {};

TEST_P(EffectIdentity, DefaultsLeaveEveryPixelAsItWas)
{
    const QImage photo = Photo();
    const QImage result = EffectRenderer::Render(photo, *Effect(GetParam()));
    ASSERT_EQ(result.format(), QImage::Format_RGB32);
    EXPECT_EQ(result, photo);
}

INSTANTIATE_TEST_SUITE_P(EffectRenderer, EffectIdentity,
                         testing::Values("empty", "exposure", "contrast", "saturation", "hueShift", "temperature",
                                         "vignette", "grain", "texture", "maskBlender"));

TEST(EffectRenderer, EffectsChangePixelsTheExpectedWay)
{
    const QImage photo = Photo();
    const Totals before = Sum(photo);

    EXPECT_GT(Sum(EffectRenderer::Render(photo, *Effect("exposure", {{"amount", PropertyTree(1.0)}}))).Sum(),
              before.Sum());
    EXPECT_LT(Sum(EffectRenderer::Render(photo, *Effect("exposure", {{"amount", PropertyTree(-1)}}))).Sum(),
              before.Sum());

    const Totals warm = Sum(EffectRenderer::Render(photo, *Effect("temperature", {{"amount", PropertyTree(50.0)}})));
    EXPECT_GT(warm.red, before.red);
    EXPECT_LT(warm.blue, before.blue);

    // Lower contrast pulls every channel towards the middle.
    const QImage flat = EffectRenderer::Render(photo, *Effect("contrast", {{"amount", PropertyTree(-100.0)}}));
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(Channel(flat.pixel(5, 7), channel), 128);

    // A third of a turn moves red into green (up to rounding).
    QImage redPhoto(8, 8, QImage::Format_RGB32);
    redPhoto.fill(qRgb(200, 20, 20));
    const QRgb turned = EffectRenderer::Render(redPhoto, *Effect("hueShift", {{"hue", PropertyTree(120.0)}})).pixel(0, 0);
    EXPECT_NEAR(qGreen(turned), 200, 1);
    EXPECT_NEAR(qRed(turned), 20, 1);

    const QImage grain = EffectRenderer::Render(photo, *Effect("grain", {{"amount", PropertyTree(0.5)}}));
    EXPECT_NE(grain, photo);
    EXPECT_EQ(grain, EffectRenderer::Render(photo, *Effect("grain", {{"amount", PropertyTree(0.5)}})))
        << "grain is deterministic for a seed";
    EXPECT_NE(grain, EffectRenderer::Render(photo, *Effect("grain", {{"amount", PropertyTree(0.5)}, {"seed", PropertyTree(8)}})));
}

TEST(EffectRenderer, TextureBlendsTheFetchedFileAndAMissingOneChangesNothing)
{
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", cache.path().toUtf8());
    QImage stripes(16, 16, QImage::Format_RGB32);
    stripes.fill(Qt::black);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x)
            stripes.setPixel(x, y, qRgb(255, 255, 255));
    }
    ASSERT_TRUE(stripes.save(cache.filePath("stripes.png")));
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    ASSERT_TRUE(grey.save(cache.filePath("grey.png")));

    const QImage photo = Photo();
    // A tile of a quarter of the 64 pixels wide photo is the texture at its own size.
    const auto texture = [&photo](const char* name, bool screen) {
        return EffectRenderer::Render(photo, *Effect("texture", {{"texture", PropertyTree(name)},
                                                                 {"amount", PropertyTree(1.0)},
                                                                 {"scale", PropertyTree(0.25)},
                                                                 {"screen", PropertyTree(screen)}}));
    };
    const QImage soft = texture("stripes.png", false);
    for (const QPoint& point : {QPoint(3, 5), QPoint(16 + 3, 20)})
        EXPECT_GT(Sum(soft, QRect(point, QSize(1, 1))).Sum(), Sum(photo, QRect(point, QSize(1, 1))).Sum());
    for (const QPoint& point : {QPoint(11, 5), QPoint(16 + 11, 20)})
        EXPECT_LT(Sum(soft, QRect(point, QSize(1, 1))).Sum(), Sum(photo, QRect(point, QSize(1, 1))).Sum());

    const QImage screen = texture("stripes.png", true);
    EXPECT_EQ(screen.pixel(3, 5), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(11, 5), photo.pixel(11, 5));

    EXPECT_EQ(texture("grey.png", false), photo) << "mid-grey is neutral";
    EXPECT_EQ(texture("absent.png", false), photo) << "a texture not fetched leaves the photo";
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
}

TEST(EffectRenderer, GreyEffectsGiveEqualChannels)
{
    const QImage photo = Photo();
    for (const auto& effect : {Effect("saturation", {{"amount", PropertyTree(-100.0)}}), Effect("blackWhiteMix")}) {
        const QImage grey = EffectRenderer::Render(photo, *effect);
        for (int y = 0; y < grey.height(); ++y) {
            for (int x = 0; x < grey.width(); ++x) {
                const QRgb p = grey.pixel(x, y);
                ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << effect->GetClassId() << " at " << x << "," << y;
            }
        }
    }
}

TEST(EffectRenderer, VignetteDarkensCornersNotCentre)
{
    QImage photo(200, 100, QImage::Format_RGB32);
    photo.fill(qRgb(200, 150, 100));
    const QImage result = EffectRenderer::Render(photo, *Effect("vignette", {{"amount", PropertyTree(1.0)}, {"radius", PropertyTree(50)}}));
    EXPECT_EQ(Sum(result, QRect(90, 40, 20, 20)).Sum(), Sum(photo, QRect(90, 40, 20, 20)).Sum());
    for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99)})
        EXPECT_LT(qRed(result.pixel(corner)), 20) << corner.x() << "," << corner.y();
    // Darkening grows towards the corner.
    EXPECT_GT(qRed(result.pixel(150, 75)), qRed(result.pixel(180, 90)));
}

TEST(EffectRenderer, BlendLevelMixesResultWithInput)
{
    const QImage photo = Photo();
    EffectsSettings settings;
    settings.Effects().push_back(Effect("saturation", {{"amount", PropertyTree(-100.0)}}));
    const QImage full = EffectRenderer::Render(photo, settings);

    settings.Package().blendLevel = 255;
    EXPECT_EQ(EffectRenderer::Render(photo, settings), photo);
    settings.Package().blendLevel = 300;
    EXPECT_EQ(EffectRenderer::Render(photo, settings), photo);
    settings.Package().blendLevel = -5;
    EXPECT_EQ(EffectRenderer::Render(photo, settings), full);

    settings.Package().blendLevel = 100;
    const QImage mixed = EffectRenderer::Render(photo, settings);
    for (const QPoint at : {QPoint(0, 0), QPoint(17, 33), QPoint(63, 47)}) {
        for (int channel = 0; channel < 3; ++channel) {
            const int effect = Channel(full.pixel(at), channel);
            const int input = Channel(photo.pixel(at), channel);
            EXPECT_EQ(Channel(mixed.pixel(at), channel), (effect * 155 + input * 100 + 127) / 255);
        }
    }
}

TEST(EffectRenderer, MaskBlenderNeedsBothSwitches)
{
    const QImage photo = Photo();
    const auto exposure = Effect("exposure", {{"amount", PropertyTree(1.0)}});
    const QImage inner = EffectRenderer::Render(photo, *exposure);

    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, true, false)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, false, true)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, true, true)), inner);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 255, true, true)), photo);

    const QImage half = EffectRenderer::Render(photo, *Blender(exposure, 128, true, true));
    const QRgb at = half.pixel(10, 10);
    EXPECT_EQ(qRed(at), (qRed(inner.pixel(10, 10)) * 127 + qRed(photo.pixel(10, 10)) * 128 + 127) / 255);
}

TEST(EffectRenderer, OtherFormatsComeBackAsRgb32)
{
    QImage argb = Photo().convertToFormat(QImage::Format_ARGB32);
    const QImage result = EffectRenderer::Render(argb, *Effect("exposure", {{"amount", PropertyTree(0.5)}}));
    EXPECT_EQ(result.format(), QImage::Format_RGB32);
    EXPECT_EQ(result.size(), argb.size());
    EXPECT_TRUE(EffectRenderer::Render(QImage(), EffectsSettings()).isNull());
}

TEST(EffectRenderer, LargeResultsKeepTheirOwnPixels)
{
    // Photo-sized results live in recycled buffers; a held result must never be reused.
    const QImage photo = Photo(1200, 800);
    const auto brighter = Effect("exposure", {{"amount", PropertyTree(1.0)}});
    const auto darker = Effect("exposure", {{"amount", PropertyTree(-1.0)}});
    const QImage first = EffectRenderer::Render(photo, *brighter);
    const QImage expected = first.copy();
    for (int round = 0; round < 3; ++round) {
        const QImage other = EffectRenderer::Render(photo, *darker);
        EXPECT_NE(other.constBits(), first.constBits());
        EXPECT_LT(Sum(other).Sum(), Sum(photo).Sum());
    }
    EXPECT_EQ(first, expected);

    // Chained effects work in place on the result, never on the caller's input.
    EffectsSettings chain;
    chain.Effects() = {brighter, darker, Effect("vignette", {{"amount", PropertyTree(0.5)}})};
    const QImage before = photo.copy();
    EffectRenderer::Render(photo, chain);
    EXPECT_EQ(photo, before);
}
