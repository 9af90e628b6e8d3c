// The processed debug view kept as a text file: each line as the user sees
// it in the view (which can be edited), ended by CR LF, one byte per
// character in Windows-1250.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a multi-line text field.  A text that ends with a line break
// has no empty line after it, and an empty field has no line at all, as the
// field shows them.
QStringList TextLines(const QString& text);

// A character the code page lacks becomes 0x1A.
QByteArray DebugTextFileBytes(const QStringList& lines);
