#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// Rich Text Format for the texts of a case (rulings, notes): a reader that
// turns RTF bytes into a QTextDocument and a writer that turns a document
// back into RTF bytes.
//
// What is kept: paragraphs, their alignment and tab stops, and for each run of
// text its font family, size, bold, italic, underline, strike-out, text colour
// and background colour. Tabs and line breaks inside a paragraph are kept as
// the characters '\t' and U+2028.
namespace rtf {

// Whether the bytes are an RTF document (they start with "{\rtf", after
// optional white space or a UTF-8 byte order mark).
bool isRtf(QByteArrayView bytes);

// Replaces the whole content of `document` with the bytes. RTF is read the
// way common Windows word processors and rich-edit controls write it
// (\ansicpg, \fcharset, \'hh, \uN with \ucN, font and colour tables,
// ignorable destinations); what the reader does not know is skipped without
// losing text. Bytes that are not RTF become plain text, read as UTF-8 when
// they are valid UTF-8 and as Windows-1250 otherwise. Malformed input never
// fails: the reader keeps whatever text it can reach. Characters without an
// explicit format take the document's default font. Undo history is cleared.
void read(QByteArrayView bytes, QTextDocument &document);

// The whole document as standard, pure-ASCII RTF:
//   {\rtf1\ansi\ansicpg1250\deff0\uc1 {\fonttbl...}{\colortbl...}
//   \pard\ql{\f0\fs20\b text}...\par ... }
// Every run is a group that carries all of its formats; characters beyond
// ASCII are written as \uN followed by their Windows-1250 byte (or '?').
// Font and colour tables list their entries in order of first use, so a
// document read from this output is written again to the same bytes. An
// empty document still gives a complete RTF document.
QByteArray write(const QTextDocument &document);

} // namespace rtf
