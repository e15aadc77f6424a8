#include "Host/Render/EffectRenderer.h"
#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>

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

TEST(EffectRenderer, BlendLevelAndMaskBlenderSwitchesDecideWhatIsShown)
{
    const QImage photo = Photo();
    EffectsSettings settings;
    settings.Effects().push_back(Effect("saturation", {{"amount", PropertyTree(-100.0)}}));
    const QImage full = EffectRenderer::Render(photo, settings);
    const struct {
        int level;
        bool showsPhoto;
    } levels[] = {{255, true}, {300, true}, {-5, false}, {0, false}};
    for (const auto& [level, showsPhoto] : levels) {
        settings.Package().blendLevel = level;
        EXPECT_EQ(EffectRenderer::Render(photo, settings), showsPhoto ? photo : full) << level;
    }

    // A mask blender draws its inner chain only with the mask filled and the inner chain on.
    const auto exposure = Effect("exposure", {{"amount", PropertyTree(1.0)}});
    const QImage inner = EffectRenderer::Render(photo, *exposure);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, true, false)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, false, true)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 0, true, true)), inner);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender(exposure, 255, true, true)), photo);
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
    const auto level = [](const QImage& image, int x, int y) {
        const QRgb p = image.pixel(x, y);
        return qRed(p) + qGreen(p) + qBlue(p);
    };
    const QImage soft = texture("stripes.png", false);
    for (const int x : {3, 16 + 3})
        EXPECT_GT(level(soft, x, 20), level(photo, x, 20)) << "under white, x " << x;
    for (const int x : {11, 16 + 11})
        EXPECT_LT(level(soft, x, 20), level(photo, x, 20)) << "under black, x " << x;

    const QImage screen = texture("stripes.png", true);
    EXPECT_EQ(screen.pixel(3, 5), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(11, 5), photo.pixel(11, 5));

    EXPECT_EQ(texture("grey.png", false), photo) << "mid-grey is neutral";
    EXPECT_EQ(texture("absent.png", false), photo) << "a texture not fetched leaves the photo";
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
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
    const QImage darkened = EffectRenderer::Render(photo, *darker).copy();
    for (int round = 0; round < 3; ++round) {
        const QImage other = EffectRenderer::Render(photo, *darker);
        EXPECT_NE(other.constBits(), first.constBits());
        EXPECT_EQ(other, darkened);
    }
    EXPECT_EQ(first, expected);

    // Chained effects work in place on the result, never on the caller's input.
    EffectsSettings chain;
    chain.Effects() = {brighter, darker, Effect("vignette", {{"amount", PropertyTree(0.5)}})};
    const QImage before = photo.copy();
    EffectRenderer::Render(photo, chain);
    EXPECT_EQ(photo, before);
}

TEST(EffectRenderer, ACancelledRenderGivesNothing)
{
    EffectsSettings chain;
    chain.Effects() = {Effect("exposure", {{"amount", PropertyTree(1.0)}}), Effect("vignette", {{"amount", PropertyTree(0.5)}})};
    const QImage photo = Photo(300, 200);
    for (const int threads : {0, 1}) {
        EXPECT_FALSE(EffectRenderer::Render(photo, chain, {[] { return true; }, threads})) << threads;
        const auto rendered = EffectRenderer::Render(photo, chain, {[] { return false; }, threads});
        ASSERT_TRUE(rendered) << threads;
        EXPECT_EQ(*rendered, EffectRenderer::Render(photo, chain)) << threads;
    }
}
