// The dialog's texts are bytes in code page 1252, as the Windows program's are; Qt's widgets
// hold UTF-16. Every text that crosses between them goes through these two, and every table the
// core copies through the last (text/codepage.h states the rule).
#ifndef ODDSMITH_DIALOG_QT_QT_TEXT_H
#define ODDSMITH_DIALOG_QT_QT_TEXT_H

#include <QByteArray>
#include <QString>

// The bytes of text, one a UTF-16 unit, as WideCharToMultiByte(1252, 0, ...) makes them: best
// fit first ("５" becomes "5"), "?" where nothing fits.
QByteArray ToDialogBytes(const QString& text);

// The characters of length bytes (of a NUL-terminated text with length -1).
QString FromDialogBytes(const char* bytes, qsizetype length = -1);

// text as a tip shows it: Qt takes a tip that looks like markup ("<b>", "&lt;") for rich text,
// so such a text is escaped, on one line as a plain tip is; any other is itself.
QString PlainTip(const QString& text);

struct CopiedTable;

// Puts table (UTF-8) on the clipboard as plain text and as HTML.
void PutOnClipboard(const CopiedTable& table);

#endif
