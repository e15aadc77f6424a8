#include "Host/Render/EffectRenderer.h"
#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Render/ImageMixer.h"
#include "Host/Render/RenderPlan.h"
#include "Host/Render/TextureCache.h"
#include "Host/Types/BaseConfig.h"

#include "tests/BadImages.h"
#include "tests/LogCapture.h"
#include "tests/PermissionsTaken.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdlib>
#include <optional>
#include <utility>

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
    const IEffectSettings::ConstList& inner, int level, bool fillMask = true, bool renderInner = true)
{
    auto blender = EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>::Create(
        SettingsEffectMaskBlender());
    blender->Settings().SetEffectsImpl(inner, true);
    blender->Settings().SetLevel(level);
    blender->Settings().SetFillMask(fillMask);
    blender->Settings().SetRenderInner(renderInner);
    return blender;
}

// What the renderer's result must stay within one level of: every effect on its own,
// in one pass over the whole photo on the calling thread, so nothing is merged or banded.
QImage OneByOne(const QImage& photo, const IEffectSettings::ConstList& effects, int blendLevel = 0)
{
    QImage image = photo;
    for (const auto& effect : effects) {
        if (const auto* blender = SettingsEffectMaskBlender::Of(effect.get())) {
            if (blender->GetFillMask() && blender->GetRenderInner())
                image = OneByOne(image, blender->GetEffects(), blender->GetLevel());
            continue;
        }
        const RenderPlan plan(*effect, photo.size());
        if (plan.IsEmpty())
            continue;
        QImage next(photo.size(), QImage::Format_RGB32);
        plan.Run({PixelBand::Lines(std::as_const(image), 0), PixelBand::Lines(next, 0), photo.width(), 0, photo.height()});
        image = next;
    }
    if (blendLevel <= 0)
        return image;
    if (blendLevel >= 255)
        return photo;
    QImage mixed(photo.size(), QImage::Format_RGB32);
    ImageMixer::Mix({PixelBand::Lines(std::as_const(image), 0), PixelBand::Lines(mixed, 0), photo.width(), 0, photo.height()},
                    PixelBand::Lines(photo, 0), blendLevel);
    return mixed;
}

int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int i = 0; i < a.width() * 4; ++i)
            largest = std::max(largest, std::abs(p[i] - q[i]));
    }
    return largest;
}

// Merged and banded renders may differ from OneByOne by this many levels per channel.
constexpr int TOLERANCE = 1;

// Wide enough for several bands in few rows, and not a whole number of bands high.
QImage BandedPhoto()
{
    const int width = 1000;
    const int bandRows = EffectRenderer::BAND_BYTES / (width * 4);
    return Photo(width, bandRows * 2 + bandRows / 3);
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
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, true, false)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, false, true)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, true, true)), inner);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 255, true, true)), photo);
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

// A downloaded texture that is damaged leaves the photo as it is (null here), and is reported
// once, not at every render.
TEST(TextureCache, FileThatCannotBeUsedIsNullAndReportedOnceByName)
{
    QTemporaryDir cache;
    const BadImages images(cache.path());
    std::vector<BadImages::File> files = images.Files();
    ASSERT_TRUE(Photo().save(cache.filePath("unreadable.png")));
    files.push_back({"unreadable", cache.filePath("unreadable.png"), "Permission denied"});

    for (const BadImages::File& file : files) {
        SCOPED_TRACE(file.kind);
        std::optional<PermissionsTaken> taken;
        if (file.kind == std::string("unreadable"))
            taken.emplace(file.path, QFileDevice::WriteOwner);
        LogCapture log;
        EXPECT_TRUE(TextureCache::Get(file.path).isNull());
        EXPECT_TRUE(TextureCache::Get(file.path).isNull());
        if (file.kind == std::string("missing")) {
            EXPECT_TRUE(log.Warnings().empty()) << "not downloaded yet";
            continue;
        }
        ASSERT_EQ(log.Warnings().size(), 1u);
        EXPECT_NE(log.Warnings()[0].find(file.path.toStdString()), std::string::npos) << log.Warnings()[0];
        EXPECT_NE(log.Warnings()[0].find(file.problem.toStdString()), std::string::npos) << log.Warnings()[0];
    }

    // Downloaded again, whole: read at once.
    const QString path = files[1].path;
    ASSERT_TRUE(QFile::remove(path) && Photo().save(path, "PNG"));
    EXPECT_EQ(TextureCache::Get(path), Photo());
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

// Every ordered pair of effect kinds, with parameters that make LUTs and matrices merge
// and others that keep matrices apart.
TEST(EffectRenderer, ChainsStayWithinOneLevelOfTheirEffectsOneByOne)
{
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", cache.path().toUtf8());
    QImage pattern(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            pattern.setPixel(x, y, qRgb(x * 16, y * 16, 255 - x * y));
    }
    ASSERT_TRUE(pattern.save(cache.filePath("pattern.png")));

    using P = PropertyTree;
    const std::vector<std::vector<IEffectSettings::Ptr>> kinds{
        {Effect("exposure", {{"amount", P(0.7)}}), Effect("exposure", {{"amount", P(-1.2)}})},
        {Effect("contrast", {{"amount", P(40.0)}}), Effect("contrast", {{"amount", P(-30.0)}})},
        {Effect("temperature", {{"amount", P(60.0)}}), Effect("temperature", {{"amount", P(-50.0)}})},
        {Effect("saturation", {{"amount", P(-60.0)}}), Effect("saturation", {{"amount", P(50.0)}})},
        {Effect("hueShift", {{"hue", P(45.0)}}), Effect("hueShift", {{"hue", P(200.0)}, {"strength", P(0.5)}})},
        {Effect("blackWhiteMix", {{"amount", P(0.8)}}),
         Effect("blackWhiteMix", {{"amount", P(1.0)}, {"red", P(0.6)}, {"green", P(0.6)}, {"blue", P(-0.1)}})},
        {Effect("vignette", {{"amount", P(0.6)}, {"radius", P(30.0)}})},
        {Effect("grain", {{"amount", P(0.5)}}), Effect("grain", {{"amount", P(0.4)}, {"size", P(3)}})},
        {Effect("texture", {{"texture", P("pattern.png")}, {"amount", P(0.8)}, {"scale", P(0.05)}}),
         Effect("texture", {{"texture", P("pattern.png")}, {"amount", P(0.5)}, {"screen", P(true)}})},
        {Blender({Effect("exposure", {{"amount", P(0.5)}}), Effect("saturation", {{"amount", P(-40.0)}})}, 100),
         Blender({Effect("contrast", {{"amount", P(20.0)}})}, 0)},
    };
    // Last, a steep curve: it would turn any merging error of one level into three.
    const auto widen = Effect("contrast", {{"amount", P(100.0)}});
    const QImage photo = BandedPhoto();
    for (const auto& first : kinds) {
        for (const auto& second : kinds) {
            for (const auto& a : first) {
                for (const auto& b : second) {
                    std::vector<IEffectSettings::List> chains{{a, b}};
                    if (a == first.front() && b == second.front())
                        chains.push_back({a, b, widen});
                    for (const auto& chain : chains) {
                        const int blendLevel = a == b ? 70 : 0;
                        EffectsSettings settings;
                        settings.Effects() = chain;
                        settings.Package().blendLevel = blendLevel;
                        EXPECT_LE(LargestDifference(EffectRenderer::Render(photo, settings),
                                                    OneByOne(photo, settings.EffectsConst(), blendLevel)),
                                  TOLERANCE)
                            << a->GetEffectSettings().GetClassId() << " then " << b->GetEffectSettings().GetClassId()
                            << " in " << chain.size();
                    }
                }
            }
        }
    }
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
}

class SamplePresetRender : public testing::TestWithParam<const char*> {};

TEST_P(SamplePresetRender, StaysWithinOneLevelOfItsEffectsOneByOne)
{
    const PropertyTree config = PhotoUtil::BaseConfig().Read(PhotoUtil::BaseConfig::ResourcePath("GlimmarDemo", GetParam(), "configs"));
    const QImage photo = BandedPhoto();
    for (const PropertyTree& group : config.getMap().at("groups").getList()) {
        for (const PropertyTree& item : group.getMap().at("items").getList()) {
            EffectsSettings chain;
            for (const PropertyTree& effect : item.getMap().at("effects").getList())
                chain.Effects().push_back(EffectSettings::DeserializePtr(effect));
            const auto wrap = item.getMap().find("wrapWithBlender");
            if (wrap != item.getMap().end() && wrap->second == PropertyTree(true))
                chain.Effects() = {Blender(chain.EffectsConst(), 100)};
            EXPECT_LE(LargestDifference(EffectRenderer::Render(photo, chain), OneByOne(photo, chain.EffectsConst())),
                      TOLERANCE)
                << item.getMap().at("id").getScalar().toString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EffectRenderer, SamplePresetRender, testing::Values("effects", "looks"));

TEST(EffectRenderer, ACancelledRenderGivesNothing)
{
    EffectsSettings chain;
    chain.Effects() = {Effect("exposure", {{"amount", PropertyTree(1.0)}}), Effect("vignette", {{"amount", PropertyTree(0.5)}})};
    const QImage photo = Photo(1000, 1000);
    for (const int threads : {0, 1}) {
        // Asked from every thread: no band starts once it has answered true.
        std::atomic<int> asked{0};
        EXPECT_FALSE(EffectRenderer::Render(photo, chain, {[&asked] { return ++asked > 3; }, threads})) << threads;
        EXPECT_LE(asked, 3 + (threads == 0 ? QThread::idealThreadCount() : 1)) << threads;
        const auto rendered = EffectRenderer::Render(photo, chain, {[] { return false; }, threads});
        ASSERT_TRUE(rendered) << threads;
        EXPECT_EQ(*rendered, EffectRenderer::Render(photo, chain)) << threads;
    }
}
