// The sheet drawn and printed by the Windows program.
#include "dialog/win32/win32_sheet.h"

// The print dialog's structures need the COM declarations the lean headers leave out.
#include <objbase.h>
// clang-format off
#include <commdlg.h>
#include <cderr.h>
#include <winspool.h>
// clang-format on

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "card/card.h"
#include "dialog/win32/win32_windows.h"
#include "text/wide.h"

namespace {

constexpr int MARGIN = 36 * SHEET_UNITS_PER_POINT;
constexpr int UNITS_PER_INCH = 72 * SHEET_UNITS_PER_POINT;
constexpr COLORREF GREY = RGB(118, 118, 118);  // a scratched horse's row, as on Linux

// The print dialog comes from comdlg32, loaded the first time it is asked for, as the file
// dialogs are: the program starts without it.
struct PrintDialog {
  using Show = HRESULT(WINAPI*)(LPPRINTDLGEXW);
  using LastError = DWORD(WINAPI*)();
  Show show = nullptr;
  LastError error = nullptr;
};

const PrintDialog& LoadPrintDialog() {
  static const PrintDialog dialog = [] {
    PrintDialog loaded;
    const HMODULE library = SystemLibrary(L"comdlg32.dll");
    loaded.show = Procedure<PrintDialog::Show>(library, "PrintDlgExW");
    loaded.error = Procedure<PrintDialog::LastError>(library, "CommDlgExtendedError");
    return loaded;
  }();
  return dialog;
}

// Whether any printer, local or connected, is installed: winspool, loaded when first asked, as
// comdlg32 is. Without it the print dialog would show a message of its own over the middle of
// the screen (and under Wine even when asked not to); the program says it itself.
bool AnyPrinter() {
  using Enumerate = BOOL(WINAPI*)(DWORD, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
  static const Enumerate enumerate =
      Procedure<Enumerate>(SystemLibrary(L"winspool.drv"), "EnumPrintersW");
  if (!enumerate) return true;  // the print dialog will say what it finds
  DWORD needed = 0;
  DWORD count = 0;
  // With no room given, a list of printers fails for want of it; only a call that succeeds
  // says there is none. Any other failure (a stopped spooler) is the dialog's to tell.
  return !enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                    &count) ||
         needed > 0;
}

void Failed(HWND dialog, const std::string& why) {
  OwnedMessageBox(dialog, "The sheet could not be printed: " + why, "Oddsmith",
                  MB_OK | MB_ICONWARNING);
}

std::string ErrorText(const char* what, unsigned long code) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (error 0x%lx).", what, code);
  return text;
}

// The pages on dc, one document; false with the reason when the device refuses.
bool PrintPages(HDC dc, const std::vector<SheetPage>& pages, const DevicePage& device,
                std::string& why) {
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = L"Oddsmith sheet";
  if (StartDocW(dc, &document) <= 0) {
    // A printer to a file asks for its name here; a cancel there is no failure.
    const DWORD error = GetLastError();
    why = error == ERROR_CANCELLED ? std::string()
                                   : ErrorText("the printer did not start the document", error);
    return false;
  }
  for (const SheetPage& page : pages) {
    if (StartPage(dc) <= 0) {
      why = ErrorText("the printer did not start a page", GetLastError());
      AbortDoc(dc);
      return false;
    }
    DrawSheetPage(dc, page, device);
    if (EndPage(dc) <= 0) {
      why = ErrorText("the printer did not take a page", GetLastError());
      AbortDoc(dc);
      return false;
    }
  }
  if (EndDoc(dc) <= 0) {
    why = ErrorText("the printer did not finish the document", GetLastError());
    return false;
  }
  return true;
}

}  // namespace

DevicePage PageOfDevice(HDC dc) {
  DevicePage device{};
  device.dotsX = GetDeviceCaps(dc, LOGPIXELSX);
  device.dotsY = GetDeviceCaps(dc, LOGPIXELSY);
  if (device.dotsX <= 0 || device.dotsY <= 0) device.dotsX = device.dotsY = 96;
  // A printer's paper is larger than what it can print on; a screen or a bitmap has no paper
  // beyond its pixels.
  int width = GetDeviceCaps(dc, PHYSICALWIDTH);
  int height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  if (width <= 0 || height <= 0) {
    width = GetDeviceCaps(dc, HORZRES);
    height = GetDeviceCaps(dc, VERTRES);
  } else {
    device.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    device.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  }
  device.paper = {MulDiv(width, UNITS_PER_INCH, device.dotsX),
                  MulDiv(height, UNITS_PER_INCH, device.dotsY),
                  MARGIN,
                  MARGIN,
                  MARGIN,
                  MARGIN};
  return device;
}

void DrawSheetPage(HDC dc, const SheetPage& page, const DevicePage& device) {
  const int saved = SaveDC(dc);
  // One logical unit a tenth of a point, from the paper's corner.
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, UNITS_PER_INCH, UNITS_PER_INCH, nullptr);
  SetViewportExtEx(dc, device.dotsX, device.dotsY, nullptr);
  SetViewportOrgEx(dc, -device.offsetX, -device.offsetY, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  HFONT font = nullptr;
  int fontSize = 0;
  bool fontBold = false;
  for (const SheetItem& item : page.items) {
    if (item.kind == SheetItem::RULE) {
      LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
      HPEN pen =
          ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, item.size, &brush, 0, nullptr);
      const HGDIOBJ before = SelectObject(dc, pen);
      MoveToEx(dc, item.x, item.y, nullptr);
      LineTo(dc, item.x2, item.y2);
      SelectObject(dc, before);
      DeleteObject(pen);
      continue;
    }
    if (!font || item.size != fontSize || item.bold != fontBold) {
      // The size is the em, as the layout measured it: a negative height asks for that.
      HFONT next = CreateFontW(-item.size, 0, 0, 0, item.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                               ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, SHEET_FONT);
      if (!next) continue;
      SelectObject(dc, next);
      if (font) DeleteObject(font);
      font = next;
      fontSize = item.size;
      fontBold = item.bold;
    }
    SetTextColor(dc, item.grey ? GREY : RGB(0, 0, 0));
    const std::wstring text = WideFromUtf8(item.text);
    TextOutW(dc, item.x, item.y, text.c_str(), static_cast<int>(text.size()));
  }
  RestoreDC(dc, saved);  // the font selected before comes back first
  if (font) DeleteObject(font);
}

void PrintSheet(HWND dialog, Card& card, DialogSurface& surface) {
  const PrintDialog& print = LoadPrintDialog();
  if (!print.show || !print.error) {
    Failed(dialog, ErrorText("the print dialog is missing from comdlg32.dll", GetLastError()));
    return;
  }
  if (!AnyPrinter()) {
    Failed(dialog, "no printer is installed.");
    return;
  }
  // The dialog's General page holds the system's list of printers, a shell view, which needs the
  // thread in a COM apartment; and the system asks for the request on the heap.
  static const bool com = JoinComApartment();
  const std::unique_ptr<PRINTDLGEXW> held(com ? new (std::nothrow) PRINTDLGEXW{} : nullptr);
  if (!held) {
    Failed(dialog, ErrorText("the print dialog cannot start", GetLastError()));
    return;
  }
  PRINTDLGEXW& request = *held;
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  // Without a printer the program says so itself, over its own window, as for any failure.
  request.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE |
                  PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;
  request.nCopies = 1;
  request.nStartPage = START_PAGE_GENERAL;
  const HRESULT shown = print.show(&request);
  const auto release = [&request] {
    if (request.hDC) DeleteDC(request.hDC);
    if (request.hDevMode) GlobalFree(request.hDevMode);
    if (request.hDevNames) GlobalFree(request.hDevNames);
  };
  if (shown != S_OK) {
    const DWORD code = print.error();
    release();
    Failed(dialog, code == PDERR_NODEFAULTPRN
                       ? std::string("no printer is installed.")
                       : ErrorText("the print dialog failed",
                                   static_cast<unsigned long>(code ? code : shown)));
    return;
  }
  if (request.dwResultAction != PD_RESULT_PRINT || !request.hDC) {
    release();  // cancelled, or only the settings applied
    return;
  }
  const DevicePage device = PageOfDevice(request.hDC);
  std::string why;
  if (!PrintPages(request.hDC, LayOutSheet(card, surface, device.paper), device, why) &&
      !why.empty()) {
    Failed(dialog, why);
  }
  release();
}
