// The sheet on the Windows program: drawn with GDI in Arial at the places the layout gives, at
// any device's resolution, and printed through the system's print dialog.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_SHEET_H
#define ODDSMITH_DIALOG_WIN32_WIN32_SHEET_H

#include <windows.h>

#include "dialog/surface.h"
#include "sheet/sheet.h"

struct Card;

inline constexpr char PRINT_MENU_TEXT[] = "Print...";  // every letter is taken
inline constexpr wchar_t SHEET_FONT[] = L"Arial";

// A device's paper as the sheet lays it out: its whole page, 36 pt inside each edge.
struct DevicePage {
  SheetPaper paper;
  int dotsX, dotsY;      // dots per inch across and down
  int offsetX, offsetY;  // where the device's printable area starts on the paper, in dots
};
DevicePage PageOfDevice(HDC dc);

// Draws page on dc as page describes the device: the paper's top-left corner at -offset.
// Leaves dc's mapping, font, pen and colours as it found them.
void DrawSheetPage(HDC dc, const SheetPage& page, const DevicePage& device);

// "Print...": asks with the system's print dialog, then prints the card's sheet (its shown race
// as surface shows it) on the printer chosen, a race a page. A cancel changes nothing and says
// nothing; a failure, no printer installed among them, is told in a message box over dialog
// and changes nothing. The caller takes the typed entries first.
void PrintSheet(HWND dialog, Card& card, DialogSurface& surface);

#endif
