// What the program's own modal windows (the tote window, the Card window) do alike.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_WINDOWS_H
#define ODDSMITH_DIALOG_WIN32_WIN32_WINDOWS_H

#include <windows.h>

// Keeps button from ever becoming the default: the window's default button ("Close") stays
// so when the focus moves onto this one, and Enter closes the window wherever the focus is.
// The button still takes Space and its mnemonic.
void KeepFromDefault(HWND button);

// Places dialog over the middle of main, within the screen's work area.
void PlaceOverOwner(HWND dialog, HWND main);

#endif
