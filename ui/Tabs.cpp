#include "ui/Tabs.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include "ui/Accessibility.h"
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

const std::vector<TabRow>& TabTable()
{
    static const std::vector<TabRow> table{
        {"tsConst", QT_TRANSLATE_NOOP("Tabs", "Kalorest"), &Make<ConstTab>},
        {"tsEkvith", QT_TRANSLATE_NOOP("Tabs", "Ekviterma"), &Make<EkvithTab>},
        {"tsMode", QT_TRANSLATE_NOOP("Tabs", "Režim"), &Make<ModeTab>},
        {"tsClockSensors", QT_TRANSLATE_NOOP("Tabs", "Hodiny + čidla"), &Make<ClockTab>},
        {"tsLogs", QT_TRANSLATE_NOOP("Tabs", "Záznamy"), &Make<LogsTab>},
        {"tsWall", QT_TRANSLATE_NOOP("Tabs", "Zeď"), &Make<WallTab>},
        {"tsDirect", QT_TRANSLATE_NOOP("Tabs", "Přímý přístup"), &Make<DirectTab>},
    };
    return table;
}

QString TabCaption(const TabRow& row)
{
    return QCoreApplication::translate("Tabs", row.caption);
}

TabHost::TabHost(const TabRow& row, const TabContext& context, QWidget* parent)
    : QWidget(parent), make_(row.make), context_(context)
{
    setObjectName(QString::fromUtf8(row.name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TabHost::~TabHost()
{
    // Gone while the host is whole: a page's clean-up may still signal.
    delete page_.data();
}

TabPage* TabHost::Page()
{
    if (page_)
        return page_;
    page_ = make_(context_, this);
    page_->setObjectName(objectName());
    PrepareForKeyboardAndReaders(page_);
    layout()->addWidget(page_);
    connect(page_, &TabPage::PolicyChanged, this, &TabHost::PolicyChanged);
    page_->ShowStored(stored_);
    page_->show();
    return page_;
}

void TabHost::ShowStored(const StoredSettings& settings)
{
    stored_ = settings;
    if (page_)
        page_->ShowStored(settings);
}

void TabHost::CollectStored(StoredSettings& settings) const
{
    if (page_)
        page_->CollectStored(settings);
}
