#pragma once

#include "Host/Effects/ISettingsPainter.h"
#include "Host/Types/PackageInfo.h"

namespace Tavrel::PhotoCore {

/// Painter that commits its paint as an entry of a preset package: the entry
/// is stamped with the package and preset names and the group index. With
/// editLatestEntry the paint changes the latest entry instead of adding one.
class SettingsPainterEffectsPackage : public ISettingsPainter {
public:
    static const std::string CLASS_ID;

    const std::string& GetClassId() const override;

    void SetPackageName(const std::string& name) { m_package.packageName = name; }
    void SetPresetName(const std::string& name) { m_package.presetName = name; }
    void SetPresetGroupIndex(int index) { m_package.presetGroupIndex = index; }
    void SetPackageInfoSettings(const PackageInfo& info) { m_package = info; }
    const PackageInfo& GetPackageInfoSettings() const { return m_package; }

    void SetEditLatestEntry(bool edit) { m_editLatestEntry = edit; }
    bool GetEditLatestEntry() const { return m_editLatestEntry; }

private:
    PackageInfo m_package;
    bool m_editLatestEntry = false;
};

} // namespace Tavrel::PhotoCore
