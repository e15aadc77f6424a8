#pragma once

#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <QImage>

// Inputs shared by the benchmarks, made once per process.

/// A 24-megapixel (6000 x 4000) RGB32 photo with varied colours.
const QImage& BenchPhoto();

/// Effects of the catalogue with varied amounts; seed picks the classes.
Tavrel::Glimmar::GlimmarPresets::PresetConfig::EffectList BenchEffects(int seed, int count);

/// A built-in configuration shaped like the shipped one: group intensities of
/// each kind, three effects a preset, some with their own slider, about a
/// quarter wrapped in a blender, a few popular ones.
Tavrel::Glimmar::GlimmarPresets::PresetConfig::Config BenchConfig(int groups, int itemsPerGroup);
