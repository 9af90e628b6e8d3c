// The compare's names of changed fields, made from the field tables.
//
// Page 0 is named from its table (ConstantsFields()): one line per changed
// field, "Key: old → new", the key being the field's parameter-file key
// until the table carries the window's captions, the values as the window
// shows them (a list's item, a name in quotes, the run time as on the
// tab).  The other pages are not named yet: their byte changes stand alone.
#pragma once

#include "controller/Snapshot.h"

FieldNamer TableFieldNamer();

// The lines for one page 0 changed into another.
QStringList ConstantsChanges(const PageBuffer& before, const PageBuffer& after);
