// Everything veskctl says about itself, made from its tables (cli/Verbs.h):
// the general help, the help of a verb or of a group of verbs ("params"),
// and, at build time, the manual page's generated sections and the bash
// completion.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "cli/Verbs.h"

QString GeneralHelp();
QString VerbHelp(const std::vector<const Verb*>& verbs);
// "128+N" for the signal's row, else the number.
QString ExitCodeText(int code);

// The manual page's sections COMMANDS, GLOBAL OPTIONS and EXIT STATUS, in
// roff.
QByteArray ManPageSections();
// A bash completion script for veskctl.
QByteArray BashCompletion();
