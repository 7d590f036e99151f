#pragma once

#include <QByteArrayView>
#include <QString>

// Code pages of 8-bit text inside RTF documents (internal to the reader).
namespace rtf::codepages {

// The code page RTF means by a \fcharsetN value; 0 when the value names no
// code page of its own (DEFAULT, unknown values): the document's \ansicpg
// applies then.
int fromCharset(int charset);

// Whether every byte of the code page is one character on its own.
bool singleByte(int codePage);

// Whether text in this code page can be decoded.
bool known(int codePage);

// Decodes bytes in a code page. Windows-1250 uses the project's own table,
// Windows-1252 a table of its own; other code pages go through the system's
// converters when it has them, and are read as Windows-1252 otherwise.
QString decode(QByteArrayView bytes, int codePage);
// The same, appended to `out`.
void decodeAppend(QByteArrayView bytes, int codePage, QString &out);

} // namespace rtf::codepages
