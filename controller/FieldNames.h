// The compare's names of changed fields, made from the field tables: one
// line per changed field in the window's words ("Max. stř. teplota: 75 →
// 80", "Topná voda -10 °C: 62 → 64").  A time program's cells name their
// program first ("Režim B - slabý, Středa 6:15 hod: …"), since the three
// programs' cells read alike.  The log pages have no fields: their byte
// changes stand alone.
#pragma once

#include "controller/Snapshot.h"

FieldNamer TableFieldNamer();
