// Texts stored in the Controller and in files are 8-bit Windows-1250, one
// byte per character.  Every part of the program that converts such text
// goes through these two functions.
#pragma once

#include <QByteArray>
#include <QString>

namespace Win1250 {

QString Decode(const QByteArray& bytes);
QString Decode(const unsigned char* bytes, int count);
// A character the code page lacks becomes 0x1A ('?'-like substitute).
QByteArray Encode(const QString& text);

}  // namespace Win1250
