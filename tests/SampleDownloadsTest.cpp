#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/ConfigStore.h"
#include "Host/Render/EffectRenderer.h"
#include "Host/Resources/ResourceManager.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <set>

using namespace Tavrel;
using namespace Tavrel::Glimmar::GlimmarPresets;
using Status = IRemoteResource::Status;

namespace {

const TranslatableContext CONTEXT("SampleDownloadsTest");

} // namespace

// The sample effects' textures come from the built-in source folder, except the one that is missing there.
TEST(SampleDownloads, TexturesArriveThroughTheResourceManagerAndChangeThePhoto)
{
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(cache.path()));
    qunsetenv("GLIMMAR_RESOURCE_SOURCE_DIR");

    PresetConfig::Config sample, user;
    ConfigStore::Read("GlimmarDemo", "effects", "", sample, user);
    std::map<std::string, std::unique_ptr<ItemModelPreset>> downloadable;
    std::set<ResourceId> resources;
    for (const PresetConfig::Group& group : sample.m_groups) {
        for (PresetConfig::Item item : group.m_items) {
            if (item.m_intensity.m_type == PresetConfig::IntensityType::Invalid)
                item.m_intensity = group.m_intensity;
            auto preset = std::make_unique<ItemModelPreset>(item, &CONTEXT, "");
            if (!preset->IsDownloadable())
                continue;
            const auto needed = preset->GetDownloadableResources();
            resources.insert(needed.begin(), needed.end());
            downloadable.emplace(item.m_id, std::move(preset));
        }
    }
    ASSERT_GE(downloadable.size(), 2u);

    const QImage photo =
        QImage(QStringLiteral(GLIMMAR_TEST_DATA_DIR "/coffee.jpg")).convertToFormat(QImage::Format_RGB32);
    const auto render = [&](const std::string& id) {
        return PhotoCore::EffectRenderer::Render(photo, downloadable.at(id)->GetEffectSettings());
    };
    const QImage withoutPaper = render("texture.oldPaper");

    ResourceManager manager;
    for (const ResourceId& id : resources)
        manager.Fetch(id);
    std::set<std::string> failed;
    for (const ResourceId& id : resources) {
        SCOPED_TRACE(id.name);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            const int status = manager.GetResource(id)->GetState().status;
            return status == Status::Loaded || status == Status::Failed;
        }, 5000));
        const IRemoteResource::State state = manager.GetResource(id)->GetState();
        if (state.status == Status::Failed) {
            failed.insert(id.name);
            EXPECT_TRUE(state.error.contains(QString::fromStdString(id.name))) << state.error.toStdString();
        }
    }
    EXPECT_EQ(failed, std::set<std::string>{"canvas.png"});
    EXPECT_NE(render("texture.oldPaper"), withoutPaper) << "the fetched paper shows";
    EXPECT_EQ(render("texture.canvas"), photo) << "the missing canvas leaves the photo";
    qunsetenv("GLIMMAR_RESOURCE_CACHE_DIR");
}
