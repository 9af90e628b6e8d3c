#include "ui/Tabs.h"

#include "ui/ClockTab.h"
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

}  // namespace

const std::vector<TabFactory>& TabTable()
{
    static const std::vector<TabFactory> table{
        &Make<ConstTab>,
        &Make<EkvithTab>,
        &Make<ModeTab>,
        &Make<ClockTab>,
        &Make<LogsTab>,
        &Make<WallTab>,
        &Make<DirectTab>,
    };
    return table;
}
