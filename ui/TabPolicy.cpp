#include "ui/TabPolicy.h"

#include <array>

namespace {

constexpr std::array<const char*, TabCount> TabNames = {
    "tsConst", "tsEkvith", "tsMode", "tsClockSensors", "tsLogs", "tsWall", "tsDirect",
};

}  // namespace

Tab TabFromName(QStringView name)
{
    for (int i = 0; i < TabCount; ++i)
        if (name == QLatin1StringView(TabNames[i]))
            return static_cast<Tab>(i);
    return Tab::None;
}

const char* TabName(Tab tab)
{
    const int i = static_cast<int>(tab);
    return i >= 0 && i < TabCount ? TabNames[i] : "";
}

TabPolicy PolicyFor(Tab tab)
{
    TabPolicy policy;
    switch (tab) {
    case Tab::Const:
    case Tab::Ekvith:
    case Tab::Mode:
    case Tab::Wall:
        policy.read = policy.write = policy.load = policy.save = true;
        policy.openFilter = QString::fromUtf8(FileFilter::Configuration);
        policy.saveDialog = FileDialogSettings{QString::fromUtf8(FileFilter::Configuration), QStringLiteral("vsk")};
        break;
    case Tab::ClockSensors:
        policy.statusTimer = true;
        break;
    case Tab::Logs:
        policy.read = policy.save = true;
        policy.saveDialog = FileDialogSettings{QString::fromUtf8(FileFilter::Csv), QStringLiteral("csv")};
        break;
    case Tab::Direct:
        // The page editor's EEPROM mode; its debug modes set their own row
        // when they are picked on the tab.
        policy.read = policy.write = policy.load = policy.save = true;
        policy.openFilter = QString::fromUtf8(FileFilter::Image);
        policy.saveDialog = FileDialogSettings{QString::fromUtf8(FileFilter::Image), QStringLiteral("bin")};
        break;
    case Tab::None:
        break;
    }
    return policy;
}
