#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1250, the code page in which the database stores its texts and in
// which Polish RTF documents escape their letters. Qt 6 does not promise this
// code page on every platform, so the table is our own.
namespace text {

// The byte of a code point, false when the code page has none.
bool toByte(char32_t codePoint, unsigned char &byte);
QChar fromByte(unsigned char byte);

QString decode(QByteArrayView bytes);

// Encodes the whole text, or nothing: on a character without a Windows-1250
// form the result is empty and *badIndex holds its position (-1 on success).
QByteArray encode(QStringView text, qsizetype *badIndex = nullptr);

// Position of the first character Windows-1250 cannot hold, or -1.
qsizetype firstUnencodable(QStringView text);

} // namespace text
