// The tote window over a live main dialog, both made from oddsmith.exe's own templates: opened
// from the system menu, its figures following each keystroke, the copy, Clear, the edge, Enter,
// and room in every column for the widest figure it can show.
// Usage: tote_dialog_test ODDSMITH_EXE
#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <string>

#include "book/board.h"
#include "dialog/headless/headless_dialog.h"
#include "dialog/win32/win32_dialog.h"
#include "resources/tote.h"
#include "tests/win32/check.h"
#include "tests/win32/clipboard.h"
#include "tests/win32/live_dialog.h"
#include "tote/tote_window.h"

namespace {

std::string Text(HWND window, int id) {
  char text[256] = "";
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

// Types text into slot's price field a character at a time.
void TypePrice(HWND tote, int slot, const char* text) {
  const HWND field = GetDlgItem(tote, IDC_TOTE_PRICE + slot);
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  for (const char* c = text; *c; ++c) SendMessageA(field, WM_CHAR, static_cast<BYTE>(*c), 1);
}

// Slot's figures as shown, joined by spaces: fair, fair odds, needs, overlay, status, pays, EV.
std::string Slot(HWND tote, int slot) {
  std::string shown;
  for (const int column : {IDC_TOTE_FAIR, IDC_TOTE_FAIR_ODDS, IDC_TOTE_NEEDS, IDC_TOTE_OVERLAY,
                           IDC_TOTE_STATUS, IDC_TOTE_PAYS, IDC_TOTE_EV}) {
    shown += (shown.empty() ? "" : " ") + Text(tote, column + slot);
  }
  return shown;
}

// utf8 in the ANSI code page, that of the clipboard's text.
std::string Ansi(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  std::string ansi(wide.size() * 2, '\0');
  ansi.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                          static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

std::wstring PriceTip(HWND tote, int slot) { return TipOf(tote, IDC_TOTE_PRICE + slot); }

std::wstring WideText(HWND window, int id) {
  WCHAR text[64] = L"";
  GetDlgItemTextW(window, id, text, 64);
  return text;
}

COLORREF StatusColour(HWND tote, int slot) {
  const HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageA(tote, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(GetDlgItem(tote, IDC_TOTE_STATUS + slot)));
  const COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

// The widest text each static can be given fits it, in the window's own font; a name, the one
// text cut short to fit, is left out.
void WidestFiguresFit(HWND tote) {
  const int ids[] = {IDC_TOTE_FAIR,   IDC_TOTE_FAIR_ODDS, IDC_TOTE_NEEDS, IDC_TOTE_OVERLAY,
                     IDC_TOTE_STATUS, IDC_TOTE_PAYS,      IDC_TOTE_EV,    IDC_TOTE_NUMBER,
                     IDC_TOTE_BOOK,   IDC_TOTE_BOOK,      IDC_TOTE_TAKE,  IDC_TOTE_EDGE_LABEL,
                     IDC_TOTE_PROGRAM};
  const char* const widest[] = {
      "100.0%", "1053000.0", "over 99-1",  "+999995.0%",  "OVERLAY",        "20001.90", "+19999.90",
      "14",     "1386.14%",  "incomplete", "-1000000.0%", "Required edge:", "888A"};
  const auto fits = [tote](int id, const char* text) {
    const HWND control = GetDlgItem(tote, id);
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    EXPECT(size.cx <= client.right, "'%s' takes %ld of %ld px", text, size.cx, client.right);
  };
  for (std::size_t i = 0; i < std::size(ids); ++i) fits(ids[i], widest[i]);
  for (int c = 0; c < TOTE_COLUMN_COUNT; ++c) fits(IDC_TOTE_HEAD + c, TOTE_COLUMNS[c].heading);
}

void WorkedExample(HMODULE exe) {
  LiveDialog race(exe);
  if (!race.Handle()) return;
  race.Enter(IDC_HORSES, "5");
  // Horse 9 is outside the book; Clear empties its price too. A line file may give a horse a
  // text that a one-line field cannot show as it is; showing it must not change it.
  SetToteText(*MainDialogTote(race.Handle()), 8, "5-2");
  SetToteText(*MainDialogTote(race.Handle()), 1, "5\xBD\r\n2");
  // Horse 1 with a long name, in characters of the code page beyond ASCII and a tab.
  const char name[] = "Sea\tBird of the Long Island Sound \xC9t\xE9 \x80";
  for (Card* card : {MainDialogCard(race.Handle()), race.Twin().KeptCard()}) {
    SetFixedText(card->races[0]->horses[0].program, "1A");
    SetFixedText(card->races[0]->horses[0].name, name);
  }
  race.WithTote([&race](HWND tote) {
    const std::wstring whole = L"Sea Bird of the Long Island Sound \u00C9t\u00E9 \u20AC";
    EXPECT(WideText(tote, IDC_TOTE_PROGRAM) == L"1A" && WideText(tote, IDC_TOTE_NAME) == whole &&
               WideText(tote, IDC_TOTE_NAME + 1).empty(),
           "horse 1 shown as '%s'", Text(tote, IDC_TOTE_NAME).c_str());
    EXPECT(TipOf(tote, IDC_TOTE_NAME) == whole && TipOf(tote, IDC_TOTE_NAME + 1).empty(),
           "the name's tip");
    EXPECT(ToteText(*MainDialogTote(race.Handle()), 1) == "5\xBD\r\n2", "horse 2's text changed");
    // The five horses in the book, the controls under them closed up.
    EXPECT(IsWindowVisible(GetDlgItem(tote, IDC_TOTE_PRICE + 4)) &&
               !IsWindowVisible(GetDlgItem(tote, IDC_TOTE_PRICE + 5)),
           "not five slots");
    RECT last, edge, pitch{0, 0, 0, TOTE_ROW_PITCH};
    GetWindowRect(GetDlgItem(tote, IDC_TOTE_PRICE + 4), &last);
    GetWindowRect(GetDlgItem(tote, IDC_TOTE_EDGE), &edge);
    MapDialogRect(tote, &pitch);
    EXPECT(edge.top > last.bottom && edge.top - last.bottom < pitch.bottom, "gap of %ld px",
           edge.top - last.bottom);
    // Each field follows the static that names it.
    const HWND price = GetDlgItem(tote, IDC_TOTE_PRICE + 2);
    const HWND label = GetWindow(price, GW_HWNDPREV);
    EXPECT(Text(tote, GetDlgCtrlID(label)) == "Horse 3 tote price", "'%s' names the field",
           Text(tote, GetDlgCtrlID(label)).c_str());
    EXPECT(GetWindow(GetDlgItem(tote, IDC_TOTE_EDGE), GW_HWNDPREV) ==
               GetDlgItem(tote, IDC_TOTE_EDGE_LABEL),
           "the edge field has no label");

    // The figures follow each keystroke.
    EXPECT(Slot(tote, 0) == "20.0% 4.0 6-1    ", "'%s'", Slot(tote, 0).c_str());
    TypePrice(tote, 0, "6-1");
    EXPECT(Slot(tote, 0) == "20.0% 4.0 6-1 +40.0% BET 14.00 +0.80", "'%s'", Slot(tote, 0).c_str());
    EXPECT(StatusColour(tote, 0) == RGB(0, 110, 0), "BET in %06lx", StatusColour(tote, 0));
    TypePrice(tote, 0, "7-");
    EXPECT(Text(tote, IDC_TOTE_STATUS) == "?" &&
               StatusColour(tote, 0) == GetSysColor(COLOR_WINDOWTEXT),
           "'%s' in %06lx", Text(tote, IDC_TOTE_STATUS).c_str(), StatusColour(tote, 0));
    EXPECT(PriceTip(tote, 0) == L"Tote prices: 5-2, 5/2, 7, 2.5, 2.25 or EVEN", "no help");
    SendMessageA(GetDlgItem(tote, IDC_TOTE_PRICE), WM_CHAR, '2', 1);
    EXPECT(Slot(tote, 0) == "20.0% 4.0 6-1 -10.0% UNDER 9.00 -0.20", "'%s'", Slot(tote, 0).c_str());
    EXPECT(PriceTip(tote, 0).empty(), "a tip on a price");
    EXPECT(Text(tote, IDC_TOTE_BOOK) == "incomplete" && Text(tote, IDC_TOTE_BETS) == "PASS",
           "race '%s' '%s'", Text(tote, IDC_TOTE_BOOK).c_str(), Text(tote, IDC_TOTE_BETS).c_str());

    // An edge beyond 100 counts as 100 and shows so once the field is left; the arrow keys
    // step by 5.
    const HWND edgeField = GetDlgItem(tote, IDC_TOTE_EDGE);
    SendMessageA(tote, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edgeField), TRUE);
    SendMessageA(edgeField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("150"));
    EXPECT(Text(tote, IDC_TOTE_NEEDS) == "9-1", "needs %s", Text(tote, IDC_TOTE_NEEDS).c_str());
    SendMessageA(tote, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(price), TRUE);
    EXPECT(Text(tote, IDC_TOTE_EDGE) == "100", "edge shows %s", Text(tote, IDC_TOTE_EDGE).c_str());
    SendMessageA(edgeField, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(edgeField, WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT(Text(tote, IDC_TOTE_EDGE) == "95" && MainDialogTote(race.Handle())->edge == 95,
           "edge %s", Text(tote, IDC_TOTE_EDGE).c_str());

    // The copy is the runner's table of the same tote, its UTF-8 made the clipboard's texts.
    ToteState twinTote;
    SetToteText(twinTote, 0, "7-2");
    SetToteText(twinTote, 1, "5\xBD\r\n2");
    twinTote.edge = 95;
    race.Twin().SetTote(twinTote);
    std::string table;
    race.Twin().ToteTable(table);
    SendDlgItemMessageA(tote, IDC_TOTE_COPY, BM_CLICK, 0, 0);
    const std::string copied = ClipboardAnsiText();
    EXPECT(WithLfEnds(copied) == Ansi(table) && copied.find("\r\n") != std::string::npos,
           "copied:\n%s\nexpected:\n%s", copied.c_str(), table.c_str());
    EXPECT(ClipboardUnicodeText() == copied, "Unicode text: %s", ClipboardUnicodeText().c_str());
    char html[TOTE_HTML_MAX];
    FormatToteHtml(race.Twin().Surface(), twinTote, ShownRace(*race.Twin().KeptCard()).horses, html,
                   sizeof html);
    EXPECT(ClipboardHtmlFormat().find(html) != std::string::npos, "HTML: %s",
           ClipboardHtmlFormat().c_str());

    // Clear empties every price, those outside the book too, and keeps the edge.
    SendDlgItemMessageA(tote, IDC_TOTE_CLEAR, BM_CLICK, 0, 0);
    const ToteState& kept = *MainDialogTote(race.Handle());
    EXPECT(ToteText(kept, 0).empty() && ToteText(kept, 8).empty() && kept.edge == 95,
           "'%s' '%s' edge %d", std::string(ToteText(kept, 0)).c_str(),
           std::string(ToteText(kept, 8)).c_str(), kept.edge);
    EXPECT(Text(tote, IDC_TOTE_PRICE).empty() && Text(tote, IDC_TOTE_STATUS).empty(), "'%s' '%s'",
           Text(tote, IDC_TOTE_PRICE).c_str(), Text(tote, IDC_TOTE_STATUS).c_str());

    // What the dialog handles while the window shows (here a page on horse 2's bar) shows here.
    SendMessageA(race.Handle(), WM_HSCROLL, MakeScrollParam(SCROLL_PAGERIGHT, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(race.Handle(), IDC_POOL_BAR + 1)));
    Win32Surface surface(race.Handle());
    const ToteHorse moved = FigureToteRow(surface, kept, 0);
    EXPECT(Text(tote, IDC_TOTE_FAIR) == moved.fair && Text(tote, IDC_TOTE_FAIR) != "20.0%",
           "fair %s after the page, not %s", Text(tote, IDC_TOTE_FAIR).c_str(), moved.fair);

    WidestFiguresFit(tote);

    // Space presses the button with the focus, but Enter closes the window even there.
    TypePrice(tote, 0, "6-1");
    const HWND clear = GetDlgItem(tote, IDC_TOTE_CLEAR);
    SendMessageA(tote, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(clear), TRUE);
    PressKey(clear, VK_SPACE);
    EXPECT(WaitFor(tote, [tote] { return Text(tote, IDC_TOTE_PRICE).empty(); }),
           "Space did not press Clear");
    TypePrice(tote, 0, "6-1");
    PressKey(clear, VK_RETURN);
    EXPECT(WaitGone(tote), "Enter on Clear did not close the window");
  });
  EXPECT(ToteText(*MainDialogTote(race.Handle()), 0) == "6-1", "the price was not kept");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tote_dialog_test ODDSMITH_EXE\n");
    return 2;
  }
  const HMODULE exe =
      LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  EXPECT(exe, "cannot load %s", argv[1]);
  if (exe) {
    WorkedExample(exe);
  }
  return CheckResult();
}
