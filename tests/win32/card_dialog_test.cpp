// The card on a live main dialog made from oddsmith.exe's own template: the races' moves from
// the system menu against the headless twin, the title, the tips and what a screen reader is
// told of each row, and the Card window opened from the menu.
// Usage: card_dialog_test ODDSMITH_EXE
#include <windows.h>
// after <windows.h>, which they need
#include <commctrl.h>
#include <oleacc.h>

#include <functional>
#include <string>

#include "book/snapshot.h"
#include "card/card_window.h"
#include "dialog/win32/win32_dialog.h"
#include "dialog/win32/win32_surface.h"
#include "resources/card.h"
#include "tests/win32/check.h"
#include "tests/win32/live_dialog.h"
#include "text/wide.h"

namespace {

std::wstring Title(HWND window) {
  WCHAR text[128] = L"";
  GetWindowTextW(window, text, 128);
  return text;
}

std::string Narrow(const std::wstring& wide) {
  std::string utf8;
  return Utf8FromWide(wide.c_str(), utf8) ? utf8 : "?";
}

// What a screen reader is told of control: its name or its description. From any thread, as a
// screen reader asks from a process of its own.
std::wstring Heard(HWND control, bool description) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return L"(no object)";
  }
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  const HRESULT result =
      description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
  object->Release();
  std::wstring heard = SUCCEEDED(result) && text ? text : L"";
  SysFreeString(text);
  return heard;
}

// The twin's controls match the live dialog's, texts, flags, bars and marks.
bool SameAsTwin(LiveDialog& dialog) {
  Win32Surface surface(dialog.Handle());
  return TakeSnapshot(surface) == dialog.Twin().Controls().Snapshot();
}

void Move(LiveDialog& dialog, unsigned command, int twinRace) {
  SendMessageA(dialog.Handle(), WM_SYSCOMMAND, command, 0);
  dialog.Twin().GoToRace(twinRace);
}

void RacesMoveFromTheMenu(HMODULE exe) {
  LiveDialog dialog(exe);
  if (!dialog.Handle()) return;
  const HWND main = dialog.Handle();
  Card& card = *MainDialogCard(main);
  EXPECT(Title(main) == L"Oddsmith", "'%s'", Narrow(Title(main)).c_str());
  for (Card* each : {&card, dialog.Twin().KeptCard()}) {
    HorseIdentity& horse = each->races[0]->horses[0];
    SetFixedText(horse.program, "1A");
    SetFixedText(horse.name, "Secretariat");
    SetFixedText(horse.ml, "5-2");
  }
  // Typed but not left: the move takes it first, as leaving would.
  dialog.Type(IDC_ODDS + 3, "4");
  EXPECT(IsWindowVisible(main), "the start left the dialog's painting held");
  Move(dialog, IDM_NEXT_RACE, 2);
  EXPECT(card.shown == 2 && Title(main) == L"Oddsmith \u2014 Race 2", "'%s'",
         Narrow(Title(main)).c_str());
  EXPECT(IsWindowVisible(main), "the race change left the dialog's painting held");
  EXPECT(SameAsTwin(dialog), "race 2 differs from the twin's");
  dialog.Click(IDC_SCRATCH + 5);
  Move(dialog, IDM_PREVIOUS_RACE, 1);
  EXPECT(card.shown == 1 && SameAsTwin(dialog) && IsDlgButtonChecked(main, IDC_LOCK + 3),
         "race 1 not as it was left");
  Move(dialog, IDM_PREVIOUS_RACE, 1);  // none below: nothing changes
  EXPECT(card.shown == 1 && SameAsTwin(dialog), "moved below race 1");

  // The row's tip and what a screen reader hears begin with the horse.
  const std::wstring tip = dialog.Tip(IDC_ODDS);
  EXPECT(tip.rfind(L"1A Secretariat \u00b7 ML 5-2 \u00b7 Board price ", 0) == 0, "tip '%s'",
         Narrow(tip).c_str());
  for (const int id : {IDC_ODDS, IDC_POOL_BAR}) {
    const std::wstring heard = Heard(GetDlgItem(main, id), true);
    EXPECT(heard == L"1A Secretariat, morning line 5-2", "control %d described as '%s'", id,
           Narrow(heard).c_str());
  }
  EXPECT(Heard(GetDlgItem(main, IDC_ODDS + 1), true).empty(), "horse 2 described");
}

// The message box the Card window shows over itself, waited for 2 s at most.
HWND Question(HWND window) {
  for (int tries = 0; tries < 40; ++tries) {
    struct Search {
      HWND owner;
      HWND found;
    } search{window, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(window, nullptr),
        [](HWND candidate, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetWindow(candidate, GW_OWNER) != s->owner || !IsWindowVisible(candidate))
            return TRUE;
          s->found = candidate;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

void CardWindowChangesTheCard(HMODULE exe) {
  LiveDialog dialog(exe);
  if (!dialog.Handle()) return;
  const HWND main = dialog.Handle();
  Card& card = *MainDialogCard(main);
  dialog.Type(IDC_ODDS, "3");  // taken before the window shows
  dialog.WithCard([&](HWND window) {
    EXPECT(!SendDlgItemMessageA(main, IDC_ODDS, EM_GETMODIFY, 0, 0), "typed odds not taken");
    const auto type = [window](int id, const wchar_t* text) {
      SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    };
    type(IDC_CARD_TRACK, L"Saint-\u00c9tienne");
    type(IDC_CARD_NAME + 1, L"Sea Bird \u20ac");
    type(IDC_CARD_PROGRAM + 1, L"2B");
    EXPECT(std::string(card.track) == "Saint-\xC9tienne" &&
               std::string(card.races[0]->horses[1].name) == "Sea Bird \x80",
           "kept '%s' '%s'", card.track, card.races[0]->horses[1].name);
    EXPECT(Title(main) == L"Oddsmith \u2014 Saint-\u00c9tienne \u2014 Race 1", "'%s'",
           Narrow(Title(main)).c_str());
    const std::wstring name = Heard(GetDlgItem(window, IDC_CARD_NAME + 1), false);
    EXPECT(name == L"Race 1 horse 2 name", "the field is called '%s'", Narrow(name).c_str());
    // Add race shows race 2 on the main dialog; its horses are empty, named for it.
    SendDlgItemMessageA(window, IDC_CARD_ADD, BM_CLICK, 0, 0);
    const HWND list = GetDlgItem(window, IDC_CARD_LIST);
    EXPECT(card.shown == 2 && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 2, "race %d of %d",
           card.shown, static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
    WCHAR empty[8] = L"x";
    GetDlgItemTextW(window, IDC_CARD_NAME + 1, empty, 8);
    EXPECT(empty[0] == L'\0' &&
               Heard(GetDlgItem(window, IDC_CARD_NAME + 1), false) == L"Race 2 horse 2 name",
           "race 2's fields");
    type(IDC_CARD_LABEL, L"Feature");
    EXPECT(Title(main) == L"Oddsmith \u2014 Saint-\u00c9tienne \u2014 Race Feature", "'%s'",
           Narrow(Title(main)).c_str());
    // Race 2 holds only its label, which goes with it, unasked.
    SendDlgItemMessageA(window, IDC_CARD_REMOVE, BM_CLICK, 0, 0);
    EXPECT(card.shown == 1 && RaceCount(card) == 1 &&
               !IsWindowEnabled(GetDlgItem(window, IDC_CARD_REMOVE)),
           "race %d of %d after the removal", card.shown, RaceCount(card));
    // A race with a name asks first, No the default: No keeps it, Yes removes it.
    SendDlgItemMessageA(window, IDC_CARD_ADD, BM_CLICK, 0, 0);
    type(IDC_CARD_NAME, L"Zenyatta");
    for (const WPARAM answer : {IDNO, IDYES}) {
      PostMessageA(GetDlgItem(window, IDC_CARD_REMOVE), BM_CLICK, 0, 0);
      const HWND box = Question(window);
      EXPECT(box, "no question before removing a named race");
      if (!box) break;
      const auto style = [box](int id) {
        return GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & 0xF;
      };
      EXPECT(style(IDNO) == BS_DEFPUSHBUTTON && style(IDYES) == BS_PUSHBUTTON,
             "the question's default is not No");
      SendMessageA(box, WM_COMMAND, answer, 0);
      WaitGone(box);
      const int left = answer == IDNO ? 2 : 1;
      WaitFor(window, [&card, left] { return RaceCount(card) == left; });
      EXPECT(RaceCount(card) == left, "%d races after the answer %d", RaceCount(card),
             static_cast<int>(answer));
    }
    // Enter in a field closes the window.
    PressKey(GetDlgItem(window, IDC_CARD_NAME + 3), VK_RETURN);
    WaitGone(window);
  });
  EXPECT(Title(main) == L"Oddsmith \u2014 Saint-\u00c9tienne \u2014 Race 1", "'%s'",
         Narrow(Title(main)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: card_dialog_test ODDSMITH_EXE\n");
    return 2;
  }
  const HMODULE exe =
      LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  EXPECT(exe, "cannot load %s", argv[1]);
  if (exe) {
    RacesMoveFromTheMenu(exe);
    // The dialog's end posted the quit message, which would end the next modal window at once.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    CardWindowChangesTheCard(exe);
  }
  return CheckResult();
}
