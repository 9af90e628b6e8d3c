// The window's tabs, in their order on the window: one row per tab.  Each
// row makes the tab's page; the page's own .ui gives its object name
// ("tsConst") and its caption (the root widget's window title).
//
// Adding a tab:
//   controller/<Area>.h/.cpp   the model and codec, with its field table
//                              where the block has fields, and its
//                              PageCodec for the shared page transfer;
//   ui/<Area>Tab.h/.cpp/.ui     a TabPage with its widgets;
//   one row in TabTable() (and the files in the CMake lists).
#pragma once

#include <vector>

#include "ui/TabPage.h"

using TabFactory = TabPage* (*)(const TabContext& context, QWidget* parent);

const std::vector<TabFactory>& TabTable();
