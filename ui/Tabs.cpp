#include "ui/Tabs.h"

#include "shell/Texts.h"
#include "ui/ClockTab.h"
#include "ui/ConstTab.h"

namespace {

template <typename T>
TabPage* Make(const TabContext& context, QWidget* parent)
{
    return new T(context, parent);
}

// A tab whose widgets are not built yet: its page, caption and policy, and
// nothing behind the buttons.
class PlaceholderTab : public TabPage {
public:
    PlaceholderTab(const char* name, const char* caption, TabPolicy policy, QWidget* parent)
        : TabPage(parent), policy_(std::move(policy))
    {
        setObjectName(QString::fromLatin1(name));
        setWindowTitle(QString::fromUtf8(caption));
    }
    TabPolicy Policy() const override { return policy_; }

private:
    TabPolicy policy_;
};

TabPolicy DirectEepromPolicy()
{
    const QString image = QString::fromUtf8(Text::Filter::Image);
    return {true, true, true, true, image, FileDialogSettings{image, QStringLiteral("bin")}, false};
}

}  // namespace

const std::vector<TabFactory>& TabTable()
{
    static const std::vector<TabFactory> table{
        &Make<ConstTab>,
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsEkvith", "Ekviterma", Policy::SettingsTab(), p); },
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsMode", "Režim", Policy::SettingsTab(), p); },
        &Make<ClockTab>,
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsLogs", "Záznamy", Policy::LogsTab(), p); },
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsWall", "Zeď", Policy::SettingsTab(), p); },
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsDirect", "Přímý přístup", DirectEepromPolicy(), p); },
    };
    return table;
}
