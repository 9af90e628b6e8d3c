// The inputs of the two fills, on the tabs "Ekviterma" and "Zeď", described
// once: the widget that shows each (its subject is the key in a parameter
// file and in the settings file), how the tab's parameter-file section
// keeps it and where, and whether the settings file keeps it.  The tabs
// show and collect them, the parameter file saves and loads them, and the
// stored settings read and write them, all from this table.
#pragma once

#include <QString>
#include <map>
#include <vector>

#include "controller/FieldTable.h"
#include "link/PageMap.h"

// How a parameter file keeps an input.
enum class InputForm {
    Text,     // the text as typed
    Integer,  // the spin edit's value, without limits
};

// How the settings file keeps an input.
enum class StoredAs { None, Decimal, Integer };

struct FillInput {
    const char* widget;
    InputForm form;
    int page;   // the outdoor page whose section keeps it
    int place;  // its place among that section's inputs, after the rows
    StoredAs stored = StoredAs::None;
    double storedDefault = 0;  // when the settings file holds no number
    // The stored value it is filled with at start, though it is never
    // stored itself: the wall tab's copy of the curve's B.
    const char* showsStored = nullptr;

    // The widget's subject: "EkvithFillA", "WallDepth".
    QString Key() const;
    // The stored value it shows at start, if any.
    QString StoredKey() const;
};

// In the order the settings file is written.
inline constexpr FillInput FillInputs[] = {
    {"leEkvithFillA", InputForm::Text, Page::Ekvith, 0, StoredAs::Decimal, 0},
    {"leEkvithFillB", InputForm::Text, Page::Ekvith, 1, StoredAs::Decimal, -0.7},
    {"leEkvithFillC", InputForm::Text, Page::Ekvith, 2, StoredAs::Decimal, 51},
    {"seWallDepth", InputForm::Integer, Page::Wall, 0, StoredAs::Integer, 45},
    {"seWallSensDepth", InputForm::Integer, Page::Wall, 2, StoredAs::Integer, 17},
    {"seWallTemp", InputForm::Integer, Page::Wall, 1, StoredAs::Integer, 21},
    {"edEkvithFillB", InputForm::Text, Page::Wall, 3, StoredAs::None, 0, "EkvithFillB"},
};

// The inputs of a page's section, in their order there.
std::vector<const FillInput*> SectionInputs(int page);

// Values of inputs by key: a text for a Text input, a number (long long)
// for an Integer one.
using InputValues = std::map<QString, FieldValue>;
