// The dialog's texts are bytes in code page 1252, as the Windows program's are in Western
// locales. Every face that holds its texts in Unicode (the Qt window, files) converts through
// these two functions, so that a text means the same bytes to the logic everywhere.
#ifndef ODDSMITH_DIALOG_CODEPAGE_H
#define ODDSMITH_DIALOG_CODEPAGE_H

// The character byte stands for, as MultiByteToWideChar(1252, ...) gives it: 0x80 is U+20AC,
// the five undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are U+0081 ... U+009D.
char16_t Cp1252ToUtf16(unsigned char byte);

// The byte for one UTF-16 unit, as WideCharToMultiByte(1252, 0, ...) makes it: the code page's
// own byte, else the best fit ("５" becomes "5", "ā" becomes "a"), else "?". A surrogate,
// taken alone as Windows takes it, is "?".
unsigned char Cp1252FromUtf16(char16_t unit);

#endif
