#pragma once

#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"

#include <QImage>

#include <string>

class QTemporaryDir;

// Inputs shared by the benchmarks, made once per process.

/// A 24-megapixel (6000 x 4000) RGB32 photo with varied colours.
const QImage& BenchPhoto();

/// Effects of the catalogue with varied amounts; seed picks the classes.
Tavrel::Glimmar::GlimmarPresets::PresetConfig::EffectList BenchEffects(int seed, int count);

/// A built-in configuration shaped like the shipped one: group intensities of
/// each kind, three effects a preset, some with their own slider, about a
/// quarter wrapped in a blender, a few popular ones.
Tavrel::Glimmar::GlimmarPresets::PresetConfig::Config BenchConfig(int groups, int itemsPerGroup);

/// What a benchmark's preset list starts from: the shipped style sheet, which the tiles take
/// their geometry from, and config as the built-in configuration of module, written into
/// folder, where the configuration reader is pointed. The list shows every preset in one
/// group; packageInfo must outlive it.
Tavrel::Glimmar::GlimmarPresets::PresetListWithGroups::Initializer BenchList(
    const QTemporaryDir& folder, const std::string& module,
    const Tavrel::Glimmar::GlimmarPresets::PresetConfig::Config& config, Tavrel::PhotoCore::PackageInfo& packageInfo);
