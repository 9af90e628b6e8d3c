#include "ui/Tabs.h"

#include "shell/Texts.h"
#include "ui/ConstTab.h"
#include "ui/DirectTab.h"
#include "ui/EkvithTab.h"
#include "ui/LogsTab.h"
#include "ui/ModeTab.h"
#include "ui/WallTab.h"

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

}  // namespace

const std::vector<TabFactory>& TabTable()
{
    static const std::vector<TabFactory> table{
        &Make<ConstTab>,
        &Make<EkvithTab>,
        &Make<ModeTab>,
        [](const TabContext&, QWidget* p) -> TabPage* { return new PlaceholderTab("tsClockSensors", "Hodiny + čidla", Policy::StatusTab(), p); },
        &Make<LogsTab>,
        &Make<WallTab>,
        &Make<DirectTab>,
    };
    return table;
}
