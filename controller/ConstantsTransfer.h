// The two transfers of the tab "Kalorest" with the Controller.
#pragma once

#include "controller/RegulationConstants.h"
#include "link/Transaction.h"

// "Načíst": reads page 0 into a scratch buffer and, only when the whole page
// has arrived, decodes it into the model.  On failure the model is untouched
// (the link has already reported the failure).
bool ReadConstants(ControllerLink& link, RegulationConstants& model);

enum class WriteOutcome { Written, LinkFailed, RangeCheckError };

// "Zapsat": reads a fresh copy of page 0 so that the bytes this tab does not
// own go back exactly as the Controller holds them now, stores the model
// into it and writes the page.  Nothing is written when the read fails
// (LinkFailed) or the model does not validate (RangeCheckError: the caller
// shows RangeCheckErrorText).  LinkFailed after the write started means
// part of the page may already be in the Controller.
WriteOutcome WriteConstants(ControllerLink& link, const RegulationConstants& model);
