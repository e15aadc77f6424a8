// A configuration tree read as the user configuration is (optional: failures are contained),
// from JSON. What was read must write, read strictly and write again unchanged: that is
// what a user's file goes through between two sessions.

#include "FuzzInput.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"

#include <glog/logging.h>

#include <exception>

using namespace Tavrel::Glimmar::GlimmarPresets;
using Tavrel::PropertyTree;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The warning about an unreadable optional configuration would come for most inputs.
    FLAGS_minloglevel = google::GLOG_ERROR;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PropertyTree tree;
    if (!FuzzInput::ParseJson(data, size, tree))
        return 0;

    PresetConfig::Config config;
    PresetConfig::ReadConfig(config, tree, true);

    // Built-in configurations are read strictly: a failure must be a std::exception.
    try {
        PresetConfig::Config strict;
        PresetConfig::ReadConfig(strict, tree, false);
    } catch (const std::exception&) {
    }

    PropertyTree written;
    PresetConfig::WriteConfig(config, written);
    PresetConfig::Config again;
    try {
        PresetConfig::ReadConfig(again, written, false);
    } catch (const std::exception& e) {
        FuzzInput::Fail(std::string("a written configuration does not read back: ") + e.what());
    }
    PropertyTree rewritten;
    PresetConfig::WriteConfig(again, rewritten);
    if (rewritten != written)
        FuzzInput::Fail("a configuration changes when it is read back and written again");
    return 0;
}
