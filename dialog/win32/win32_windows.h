// What the program's own modal windows (the tote window, the Card window) do alike.
#ifndef ODDSMITH_DIALOG_WIN32_WIN32_WINDOWS_H
#define ODDSMITH_DIALOG_WIN32_WIN32_WINDOWS_H

#include <windows.h>

#include <string>

// The procedure name of library (a handle, or nullptr) as the function type T, or nullptr:
// through the generic function type, the one cast between function types the compiler takes as
// deliberate. What the program calls only once a user asks for it comes this way, from a
// library loaded then, so that it starts without it.
template <typename T>
T Procedure(HMODULE library, const char* name) {
  return library ? reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)))
                 : nullptr;
}

// A library of System32's, loaded the first time it is asked for.
inline HMODULE SystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Joins the calling thread to a single-threaded COM apartment, as every thread with windows may
// (ole32 loaded then); true once it is in one. A second join only counts.
bool JoinComApartment();

// Holds a shown window's painting while many of its controls are rewritten, and paints it
// once when it goes: Wine paints a static text or a scroll bar on each write, so a whole race
// rewritten control by control shows half of one race beside half of another for as long as
// the writes take. A window not shown (or already held) is left as it is.
class HeldPainting {
 public:
  explicit HeldPainting(HWND window);
  ~HeldPainting();
  HeldPainting(const HeldPainting&) = delete;
  HeldPainting& operator=(const HeldPainting&) = delete;

 private:
  HWND held_;
};

// Paints the whole of window again (its frame and every control) at its next paint, once a
// hold of its painting has ended.
void PaintAllAgain(HWND window);

// Keeps button from ever becoming the default: the window's default button ("Close") stays
// so when the focus moves onto this one, and Enter closes the window wherever the focus is.
// The button still takes Space and its mnemonic.
void KeepFromDefault(HWND button);

// Places dialog over the middle of main, within the screen's work area.
void PlaceOverOwner(HWND dialog, HWND main);

// MessageBoxW owned by owner and placed over its middle (a message box left to itself comes up
// in the middle of the screen, far from a dialog the user has moved); text and caption UTF-8.
int OwnedMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// Asks question ("Save changes to card.oddsline?") over owner with the buttons Save, Don't Save
// and Cancel: IDYES, IDNO or IDCANCEL (Escape and the close box too).
int AskSaveChanges(HWND owner, const std::string& question);

#endif
