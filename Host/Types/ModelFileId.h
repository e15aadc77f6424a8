#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Tavrel::Proc::Neural {

/// Neural model files the photo core can download; 0 is Invalid.
enum class ModelFileId : std::int32_t {
    Invalid = 0,
    SkySegmentation,
    PortraitSegmentation,
    FaceLandmarks,
    SkinSegmentation,
    HairSegmentation,
    ObjectSegmentation,
    DepthEstimation,
    Denoise,
    Deblur,
    SuperResolution,
    Colorization,
    StyleTransfer,
    RelightPortrait,
    BackgroundRemoval,
    WaterSegmentation,
    BuildingSegmentation,
    VegetationSegmentation,
    Inpainting,
    ToneMapping,
};

/// Enumerator names in value order; the configuration uses them as texts.
inline constexpr std::array<std::string_view, 20> ModelFileIdNames{
    "Invalid", "SkySegmentation", "PortraitSegmentation", "FaceLandmarks", "SkinSegmentation",
    "HairSegmentation", "ObjectSegmentation", "DepthEstimation", "Denoise", "Deblur",
    "SuperResolution", "Colorization", "StyleTransfer", "RelightPortrait", "BackgroundRemoval",
    "WaterSegmentation", "BuildingSegmentation", "VegetationSegmentation", "Inpainting", "ToneMapping",
};

} // namespace Tavrel::Proc::Neural
