// Screenshots of the list in every tile state, for a person to look at:
// GLIMMAR_SCREENSHOT_DIR=/some/folder GlimmarTests --gtest_filter='ListScreenshots.*'

#include "FakeResources.h"
#include "PresetListHarness.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace PresetListHarness;
using TestResources::FakeResources;
using Tavrel::IRemoteResource;

namespace {

PresetConfig::Item Named(PresetConfig::Item item, const std::string& name)
{
    item.m_name = name;
    return item;
}

PresetConfig::Config ShowcaseConfig()
{
    PresetConfig::Item paper = Named(TestPresets::ExposureItem("paper", 0.4), "Paper texture");
    paper.m_downloadable.m_resourceType = PresetConfig::ResourceType::EffectTexture;
    paper.m_downloadable.m_resources = {"paper.png"};
    PresetConfig::Item canvas = Named(TestPresets::ExposureItem("canvas", 0.3), "Canvas texture");
    canvas.m_downloadable.m_resourceType = PresetConfig::ResourceType::EffectTexture;
    canvas.m_downloadable.m_resources = {"canvas.png"};
    PresetConfig::Config config;
    config.m_groups.push_back(
        Group("Showcase", {Named(TestPresets::ExposureItem("bright", 0.6), "Bright morning"),
                           Named(TestPresets::PlainItem("mono", "saturation", {{"amount", -100.0}}), "Monochrome"),
                           paper, canvas,
                           Named(TestPresets::PlainItem("vivid", "saturation", {{"amount", 70.0}}), "Vivid")}));
    return config;
}

} // namespace

TEST(ListScreenshots, EveryTileState)
{
    const QString folder = qEnvironmentVariable("GLIMMAR_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "set GLIMMAR_SCREENSHOT_DIR to make screenshots";
    QDir().mkpath(folder);
    UseStyleSheet();
    const QImage photo(QStringLiteral(GLIMMAR_TEST_DATA_DIR "/coffee.jpg"));
    ASSERT_FALSE(photo.isNull());

    const auto shoot = [&](const char* state, auto prepare) {
        FakeResources resources; // outlives the tiles' watchers
        Harness harness(ShowcaseConfig(), {}, photo);
        PresetListWithGroups& list = harness.Open(QSize(280, 760), &resources);
        harness.SelectGroup(FirstConfiguredRow);
        prepare(harness, resources);
        harness.Paint();
        QCoreApplication::processEvents();
        EXPECT_TRUE(list.grab().save(QDir(folder).filePath(QString::fromLatin1(state) + ".png")));
    };
    const auto loaded = [](FakeResources& resources) {
        for (const char* name : {"paper.png", "canvas.png"})
            resources.Set({static_cast<int>(PresetConfig::ResourceType::EffectTexture), name},
                          {IRemoteResource::Loaded, 1.0, {}});
    };
    const auto click = [](Harness& h, int row) {
        QTest::mouseClick(&h.Part<QToolButton>(row, "activateButton"), Qt::LeftButton);
        h.Photo();
        h.Paint();
    };

    shoot("idle", [&](Harness&, FakeResources& resources) { loaded(resources); });
    shoot("hovered", [&](Harness& h, FakeResources& resources) {
        loaded(resources);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&h.Part<QToolButton>(0, "activateButton"), &enter);
    });
    shoot("applied-with-intensity", [&](Harness& h, FakeResources& resources) {
        loaded(resources);
        click(h, 0);
    });
    shoot("applied-without-intensity", [&](Harness& h, FakeResources& resources) {
        loaded(resources);
        click(h, 1);
    });
    shoot("downloading", [&](Harness& h, FakeResources& resources) {
        resources.Set({static_cast<int>(PresetConfig::ResourceType::EffectTexture), "paper.png"},
                      {IRemoteResource::Loading, 0.64, {}});
        resources.Set({static_cast<int>(PresetConfig::ResourceType::EffectTexture), "canvas.png"},
                      {IRemoteResource::Loading, 0.18, {}});
        h.View().verticalScrollBar()->setValue(h.View().visualRect(h.Shown().index(2, 0)).top());
    });
    shoot("failed", [&](Harness& h, FakeResources& resources) {
        resources.Set({static_cast<int>(PresetConfig::ResourceType::EffectTexture), "paper.png"},
                      {IRemoteResource::Failed, 0.2, QStringLiteral("paper.png is missing")});
        h.View().verticalScrollBar()->setValue(h.View().visualRect(h.Shown().index(2, 0)).top());
    });
}
