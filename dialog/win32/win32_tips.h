// Tooltips whose texts a dialog works out each time one is about to show, shared by the main
// dialog and the tote window.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_TIPS_H
#define ODDSMITH_DIALOG_WIN32_WIN32_TIPS_H

#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include "card/card.h"

// A tooltip control owned by dialog (so it goes when the dialog goes) with a tool for each
// control in ids; nullptr when the common controls cannot make one, and the dialog works on
// without tips. The dialog is asked for each text with TTN_GETDISPINFO.
HWND AddTooltips(HWND dialog, const int* ids, int count);

// Answers WM_NOTIFYFORMAT: the tooltips are to notify in Unicode, so their texts need no code
// page. Returns the dialog procedure's result.
INT_PTR AnswerNotifyFormat(HWND dialog, LPARAM command);

// True when header (a WM_NOTIFY) is a tooltip asking for a tip's text (TTN_GETDISPINFO).
inline bool IsTipRequest(const NMHDR* header) {
  return header->code == TTN_GETDISPINFOW || header->code == TTN_GETDISPINFOA;
}

// The control whose tip a tip request asks for; nullptr for a tool that is no control.
HWND TipControl(const NMHDR* header);

// Where a tip's text lies until the tooltip has taken it: the notification's own buffer holds
// only 80 characters, fewer than a tip may have.
struct TipText {
  WCHAR wide[CARD_TIP_MAX];
  char ansi[CARD_TIP_MAX];  // a byte a unit, in code page 1252
};

// Answers the TTN_GETDISPINFO in header with utf8, kept in text until the next tip.
void AnswerTip(NMHDR* header, const char* utf8, TipText& text);

#endif
