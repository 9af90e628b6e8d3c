// What each settings tab keeps in a parameter file, and its save and load.
// Each tab owns one section and touches nothing else of the file; the
// sections, their keys and their forms come from the blocks' field tables:
//   "Const"                the regulation constants, one key per field of the
//                          constants' table that a file keeps;
//   "ModeA", "ModeB", "ModeC"  the time program as "Data", 672 bytes;
//   "Ekvith", "Wall"       the outdoor table, one integer per row ("Ekvith-40"
//                          … "Ekvith25"), then the tab's fill inputs
//                          (controller/FillInputs.h).
// A save writes its section in one atomic replace and returns why it could
// not (the file then stays as it was).  A load reads the file the caller
// opened (files/ParameterFile.h; the caller says so when it was refused)
// and never fails: what the file does not hold, or holds in a form that
// does not read, takes the default.
#pragma once

#include <QString>
#include <optional>

#include "controller/FillInputs.h"
#include "controller/ModeProgram.h"
#include "controller/OutdoorTable.h"
#include "controller/RegulationConstants.h"
#include "files/FileSystem.h"

class ParameterFile;

// Every field of the file in the order of the field table: spin and list
// fields as integers (−1 for a list without selection), the used flags as
// booleans, the names as they stand.
std::optional<QString> SaveConstSection(const QString& path, const RegulationConstants& model,
                                        FileSystem& fs = RealFileSystem());
// Every field of the file into the model, limited as its widget shows it
// (a spin value into its range, a list position outside its list to −1);
// names whole, whatever their length; the counters as they were.
void LoadConstSection(const ParameterFile& file, RegulationConstants& model);

// "ModeA", "ModeB" or "ModeC".
QString ModeSectionName(ModeProgramId id);
std::optional<QString> SaveModeSection(const QString& path, ModeProgramId id, const ModeProgram& program,
                                       FileSystem& fs = RealFileSystem());
// Replaces the program only with exactly 672 bytes of "Data" (1344 or 1345
// hexadecimal digits); anything else leaves it as it was: false.
bool LoadModeSection(const ParameterFile& file, ModeProgramId id, ModeProgram& program);

// An outdoor tab's section: its rows and its fill inputs.
struct OutdoorSectionValues {
    OutdoorTable table;
    InputValues inputs;
};

// Each row as its integer (20 for a value that is not one; no limits), then
// the inputs.  Loading gives 0 for a row and for an integer input and "0"
// for a text input that the file does not hold.
std::optional<QString> SaveOutdoorSection(const QString& path, const OutdoorPage& page,
                                          const OutdoorSectionValues& values, FileSystem& fs = RealFileSystem());
OutdoorSectionValues LoadOutdoorSection(const ParameterFile& file, const OutdoorPage& page);
