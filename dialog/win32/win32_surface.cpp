// The Win32 binding of the seam: thin calls into user32, nothing remembered.
#include "dialog/win32/win32_surface.h"

#include <cstring>
#include <string>

#include "book/snapshot.h"
#include "dialog/win32/win32_windows.h"

// The portable dispatch spells the window system's numbers without <windows.h>; they must be
// the very values user32 sends and expects.
static_assert(MSG_DESTROY == WM_DESTROY);
static_assert(MSG_INITDIALOG == WM_INITDIALOG);
static_assert(MSG_COMMAND == WM_COMMAND);
static_assert(MSG_HSCROLL == WM_HSCROLL);
static_assert(CMD_OK == IDOK);
static_assert(CMD_CANCEL == IDCANCEL);
static_assert(NOTIFY_CLICKED == BN_CLICKED);
static_assert(NOTIFY_KILLFOCUS == EN_KILLFOCUS);
static_assert(SCROLL_LINELEFT == SB_LINELEFT);
static_assert(SCROLL_LINERIGHT == SB_LINERIGHT);
static_assert(SCROLL_PAGELEFT == SB_PAGELEFT);
static_assert(SCROLL_PAGERIGHT == SB_PAGERIGHT);
static_assert(SCROLL_THUMBPOSITION == SB_THUMBPOSITION);
static_assert(SCROLL_THUMBTRACK == SB_THUMBTRACK);
static_assert(SCROLL_LEFT == SB_LEFT);
static_assert(SCROLL_RIGHT == SB_RIGHT);
static_assert(SCROLL_ENDSCROLL == SB_ENDSCROLL);
static_assert(sizeof(WordParam) == sizeof(WPARAM) && sizeof(LongParam) == sizeof(LPARAM));

UnsignedRead Win32Surface::ReadUnsigned(int id) {
  // The whole text goes to the one parser, so a number is read alike on every platform (a
  // fixed buffer would cut a long text and could turn an overflow into a small number).
  if (!GetDlgItem(dialog_, id)) return {0, false};
  return ParseUnsigned(ReadWholeText(*this, id));
}

int Win32Surface::TextLength(int id) {
  // The message, which reaches the control of another process too; GetWindowTextLength would
  // read that control's caption, which an edit field never sets.
  if (!GetDlgItem(dialog_, id)) return 0;
  return static_cast<int>(SendDlgItemMessageA(dialog_, id, WM_GETTEXTLENGTH, 0, 0));
}

int Win32Surface::ReadText(int id, char* buffer, int max) {
  if (max <= 0) return 0;
  buffer[0] = '\0';  // user32 leaves the buffer alone when the control is missing
  return static_cast<int>(GetDlgItemTextA(dialog_, id, buffer, max));
}

void Win32Surface::WriteText(int id, const char* text) {
  // The text it shows already: only the modified flag clears, as a write would clear it. A
  // write would also move a field's caret and drop its selection, which a Tab into the field
  // has just made.
  // (The dialog's own texts are short; a long one is simply written.)
  const HWND control = GetDlgItem(dialog_, id);
  char shown[64];
  const int length = control ? GetWindowTextLengthA(control) : -1;
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof shown &&
      std::strlen(text) == static_cast<std::size_t>(length) &&
      GetWindowTextA(control, shown, sizeof shown) == length && std::strcmp(shown, text) == 0) {
    if (IsEditField(id)) SendMessageA(control, EM_SETMODIFY, FALSE, 0);
    return;
  }
  SetDlgItemTextA(dialog_, id, text);
}

bool Win32Surface::IsModified(int id) {
  return SendDlgItemMessageA(dialog_, id, EM_GETMODIFY, 0, 0) != 0;
}

void Win32Surface::SetModified(int id, bool modified) {
  SendDlgItemMessageA(dialog_, id, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

bool Win32Surface::IsChecked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void Win32Surface::SetChecked(int id, bool on) {
  CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Surface::SetBarRange(int id, int min, int max) {
  // SBM_SETRANGE leaves a position outside the new range where it was under Wine, and the
  // logic reads the position right after; setting the range as scroll information moves the
  // position into it everywhere. No redraw, as with SBM_SETRANGE.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SendDlgItemMessageA(dialog_, id, SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&info));
}

int Win32Surface::BarPos(int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog_, id, SBM_GETPOS, 0, 0));
}

void Win32Surface::SetBarPos(int id, int pos) {
  SendDlgItemMessageA(dialog_, id, SBM_SETPOS, static_cast<WPARAM>(pos), TRUE);
}

void Win32Surface::EnableBarArrows(int id, bool on) {
  SendDlgItemMessageA(dialog_, id, SBM_ENABLE_ARROWS, on ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH, 0);
}

namespace {

// The bar's range, zeros without a bar. As scroll information, which reaches a bar of another
// process too (SBM_GETRANGE's pointers do not).
SCROLLINFO BarRange(HWND dialog, int id) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE;
  const HWND bar = GetDlgItem(dialog, id);
  if (!bar || !GetScrollInfo(bar, SB_CTL, &info)) info.nMin = info.nMax = 0;
  return info;
}

}  // namespace

int Win32Surface::BarMin(int id) { return BarRange(dialog_, id).nMin; }

int Win32Surface::BarMax(int id) { return BarRange(dialog_, id).nMax; }

bool Win32Surface::BarArrowsEnabled(int id) {
  const HWND bar = GetDlgItem(dialog_, id);
  if (!bar) return false;
  // The arrows' own state; Wine also disables the whole bar with them, Windows does not. A
  // bar of another process answers only the second question, which under Wine is the first.
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (GetScrollBarInfo(bar, OBJID_CLIENT, &info)) {
    return !(info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && IsWindowEnabled(bar);
  }
  return IsWindowEnabled(bar) != FALSE;
}

int Win32Dialog::ControlId(LongParam handle) {
  const HWND control = reinterpret_cast<HWND>(handle);
  // Only our own controls: a stray handle must not be mistaken for one of our bars.
  return control && IsChild(dialog_, control) ? GetDlgCtrlID(control) : 0;
}

void Win32Dialog::ShowDialog(bool visible) {
  // A hold hides the window from ShowWindow's view: ended first, so that a hide hides it.
  if (!visible && held_) {
    SendMessageA(dialog_, WM_SETREDRAW, TRUE, 0);
    held_ = false;
  }
  ShowWindow(dialog_, visible ? SW_SHOW : SW_HIDE);
  if (visible && holdWhenShown_ && !held_) {
    SendMessageA(dialog_, WM_SETREDRAW, FALSE, 0);
    held_ = true;
  }
}

void Win32Dialog::EndHeldPainting() {
  if (!held_) return;
  held_ = false;
  SendMessageA(dialog_, WM_SETREDRAW, TRUE, 0);
  PaintAllAgain(dialog_);
}

void Win32Dialog::EndDialog(LongParam result) { ::EndDialog(dialog_, result); }

void Win32Dialog::PostQuit(int code) { PostQuitMessage(code); }

int UnwrapThumbWord(unsigned word, int barMax, int trackPos) {
  long long best = word & 0xFFFF;
  for (long long candidate = best + 0x10000; candidate <= barMax; candidate += 0x10000) {
    const long long distance = candidate > trackPos ? candidate - trackPos : trackPos - candidate;
    const long long bestDistance = best > trackPos ? best - trackPos : trackPos - best;
    if (distance < bestDistance) best = candidate;
  }
  return static_cast<int>(best);
}

int Win32Dialog::ThumbPosition(int barId, unsigned word) {
  // The message carries only the low 16 bits of the position, which wrap on bars whose
  // maximum passes 65535 (lines above 728); the bar itself knows where its thumb is.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_TRACKPOS;
  if (!GetScrollInfo(GetDlgItem(dialog_, barId), SB_CTL, &info)) return static_cast<int>(word);
  return UnwrapThumbWord(word, info.nMax, info.nTrackPos);
}
