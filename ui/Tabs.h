// The window's tabs, in their order on the window: one row per tab, with
// the tab's name ("tsConst"), its caption ("Kalorest") and the factory of
// its page.  The name and the caption are known from the start, so the row
// of tabs shows every caption; a page's widgets are built only when the tab
// is first shown.
//
// Adding a tab:
//   controller/<Area>.h/.cpp   the model and codec, with its field table
//                              where the block has fields, and its
//                              PageCodec for the shared page transfer;
//   ui/<Area>Tab.h/.cpp/.ui     a TabPage with its widgets;
//   one row in TabTable() (and the files in the CMake lists).
#pragma once

#include <QPointer>
#include <vector>

#include "shell/StoredSettings.h"
#include "ui/TabPage.h"

using TabFactory = TabPage* (*)(const TabContext& context, QWidget* parent);

struct TabRow {
    const char* name;     // the tab's object name, and its page's
    const char* caption;  // UTF-8, marked for the catalogue ("Tabs")
    TabFactory make;
};

const std::vector<TabRow>& TabTable();
// A tab's caption in the user's language.
QString TabCaption(const TabRow& row);

// The place of one tab in the window's tab control.  It carries the tab's
// name from the start and builds the page when the window first asks for
// it.  Stored settings given before that are kept for the page; at close
// a page never built gives back nothing, so the values go back as given.
class TabHost : public QWidget {
    Q_OBJECT
public:
    TabHost(const TabRow& row, const TabContext& context, QWidget* parent);
    ~TabHost() override;

    // The page, built now if it was not yet.
    TabPage* Page();
    // The page if it was built, else nullptr.
    TabPage* Built() const { return page_; }

    void ShowStored(const StoredSettings& settings);
    void CollectStored(StoredSettings& settings) const;

signals:
    // The page's own signal, passed on.
    void PolicyChanged();

private:
    TabFactory make_;
    TabContext context_;
    StoredSettings stored_;
    QPointer<TabPage> page_;
};
