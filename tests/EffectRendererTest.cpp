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
#include "tests/EffectTestHelpers.h"
#include "tests/LogCapture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdlib>
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

// Wide enough for several bands in few rows, not a whole number of bands high, and not a
// whole number of the vector kernels' steps wide.
QImage BandedPhoto()
{
    const int width = 999;
    const int bandRows = EffectRenderer::BAND_BYTES / (width * 4);
    return Photo(width, bandRows * 2 + bandRows / 3);
}

} // namespace

class EffectIdentity : public testing::TestWithParam<const char*> {};

TEST_P(EffectIdentity, DefaultsLeaveEveryPixelAsItWas)
{
    const QImage photo = Photo();
    const QImage result = EffectRenderer::Render(photo, *MakeEffect(GetParam(), {}));
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
    settings.Effects().push_back(MakeEffect("saturation", {{"amount", -100.0}}));
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
    const auto exposure = MakeEffect("exposure", {{"amount", 1.0}});
    const QImage inner = EffectRenderer::Render(photo, *exposure);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, true, false)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, false, true)), photo);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 0, true, true)), inner);
    EXPECT_EQ(EffectRenderer::Render(photo, *Blender({exposure}, 255, true, true)), photo);
}

// A downloaded texture that is damaged leaves the photo as it is (null here), and is reported
// once, not at every render.
TEST(TextureCache, FileThatCannotBeUsedIsNullAndReportedOnceByName)
{
    QTemporaryDir cache;
    const BadImages images(cache.path());
    const std::vector<BadImages::File>& files = images.Files();
    for (const BadImages::File& file : files) {
        SCOPED_TRACE(file.kind);
        const auto taken = BadImages::Taken(file);
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

TEST(EffectRenderer, LargeResultsKeepTheirOwnPixels)
{
    // Photo-sized results live in recycled buffers; a held result must never be reused.
    const QImage photo = Photo(1200, 800);
    const auto brighter = MakeEffect("exposure", {{"amount", 1.0}});
    const auto darker = MakeEffect("exposure", {{"amount", -1.0}});
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
    chain.Effects() = {brighter, darker, MakeEffect("vignette", {{"amount", 0.5}})};
    const QImage before = photo.copy();
    EffectRenderer::Render(photo, chain);
    EXPECT_EQ(photo, before);
}

// Curves merge into one table, neighbouring matrices into one matrix; every other kind keeps
// them apart, and a mix (a blend level, a mask blender) starts a section of its own.
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

    const auto brighter = MakeEffect("exposure", {{"amount", 0.7}});
    const auto darker = MakeEffect("exposure", {{"amount", -1.2}});
    const auto flatter = MakeEffect("contrast", {{"amount", -30.0}});
    const auto warmer = MakeEffect("temperature", {{"amount", 60.0}});
    const auto greyer = MakeEffect("saturation", {{"amount", -60.0}});
    const auto vivid = MakeEffect("saturation", {{"amount", 50.0}});
    const auto hue = MakeEffect("hueShift", {{"hue", 45.0}});
    const auto halfHue = MakeEffect("hueShift", {{"hue", 200.0}, {"strength", 0.5}});
    const auto mono = MakeEffect("blackWhiteMix", {{"amount", 1.0}, {"red", 0.6}, {"green", 0.6}, {"blue", -0.1}});
    // A steep curve: it would turn any merging error of one level into three.
    const auto widen = MakeEffect("contrast", {{"amount", 100.0}});
    const IEffectSettings::Ptr apart[] = {
        MakeEffect("vignette", {{"amount", 0.6}, {"radius", 30.0}}),
        MakeEffect("grain", {{"amount", 0.5}}),
        MakeEffect("grain", {{"amount", 0.4}, {"size", 3}}),
        MakeEffect("texture", {{"texture", "pattern.png"}, {"amount", 0.8}, {"scale", 0.05}}),
        MakeEffect("texture", {{"texture", "pattern.png"}, {"amount", 0.5}, {"screen", true}}),
        Blender({MakeEffect("exposure", {{"amount", 0.5}}), greyer}, 100),
        Blender({MakeEffect("contrast", {{"amount", 20.0}})}, 0),
    };
    std::vector<std::pair<IEffectSettings::List, int>> chains{
        {{brighter, flatter, warmer, widen}, 0}, {{darker, warmer}, 70},
        {{greyer, hue, widen}, 0},               {{halfHue, mono, vivid}, 0},
        {{vivid, greyer}, 70},                   {{brighter, greyer, widen}, 0},
        {{hue, darker, mono}, 0},
    };
    for (const auto& other : apart) {
        chains.push_back({{brighter, other, flatter, widen}, 0});
        chains.push_back({{greyer, hue, other, vivid, widen}, 0});
        chains.push_back({{other, other}, 70});
    }
    const QImage photo = BandedPhoto();
    for (std::size_t i = 0; i < chains.size(); ++i) {
        EffectsSettings settings;
        settings.Effects() = chains[i].first;
        settings.Package().blendLevel = chains[i].second;
        EXPECT_LE(LargestDifference(EffectRenderer::Render(photo, settings),
                                    OneByOne(photo, settings.EffectsConst(), chains[i].second)),
                  TOLERANCE)
            << "chain " << i;
    }
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");

    // Tables compose exactly, and a table runs with the matrix after it in one pass that
    // must be exact too: vivid and widen push sums past both ends of the range.
    for (const IEffectSettings::List& chain : {IEffectSettings::List{brighter, flatter, greyer},
                                               {warmer, vivid}, {widen, mono}, {darker, widen, hue}}) {
        EffectsSettings settings;
        settings.Effects() = chain;
        EXPECT_EQ(EffectRenderer::Render(photo, settings), OneByOne(photo, settings.EffectsConst()));
    }
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
    chain.Effects() = {MakeEffect("exposure", {{"amount", 1.0}}), MakeEffect("vignette", {{"amount", 0.5}})};
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
