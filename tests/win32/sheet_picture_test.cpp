// The Windows program's sheet as its print path draws it, into a page-sized bitmap at 100 dots
// an inch (Wine here has no printer): a card of three races imported from a single-file export,
// each page kept as a picture. Every run of text leaves ink inside its place, grey where the
// layout says grey, and the font GDI gives for Arial takes the room the layout measured.
// Usage: sheet_picture_test ENTRIES ARTIFACTS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialog/headless/headless_dialog.h"
#include "dialog/win32/win32_sheet.h"
#include "text/wide.h"

namespace {

int g_failures = 0;

#define EXPECT(condition, ...)                       \
  do {                                               \
    if (!(condition)) {                              \
      std::fprintf(stderr, "FAIL %s: ", #condition); \
      std::fprintf(stderr, __VA_ARGS__);             \
      std::fputc('\n', stderr);                      \
      ++g_failures;                                  \
    }                                                \
  } while (0)

constexpr int DOTS = 100;
constexpr int WIDTH = 850;  // Letter at 100 dots an inch
constexpr int HEIGHT = 1100;

struct Picture {
  HDC dc;
  unsigned char* bits;  // top-down rows of blue, green, red
  int stride;
};

// The darkest channel of the darkest pixel in the box, 255 where all is white.
int Darkest(const Picture& picture, int left, int top, int right, int bottom) {
  int darkest = 255;
  for (int y = top < 0 ? 0 : top; y < bottom && y < HEIGHT; ++y) {
    for (int x = left < 0 ? 0 : left; x < right && x < WIDTH; ++x) {
      const unsigned char* pixel = picture.bits + y * picture.stride + x * 3;
      for (int c = 0; c < 3; ++c) darkest = pixel[c] < darkest ? pixel[c] : darkest;
    }
  }
  return darkest;
}

bool SaveBitmap(const Picture& picture, const std::string& path) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = WIDTH;
  info.biHeight = -HEIGHT;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD size = static_cast<DWORD>(picture.stride) * HEIGHT;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + size;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&info, sizeof info, 1, out) == 1 &&
                       std::fwrite(picture.bits, size, 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

// GDI's width of text in the sheet's font at size, at one device unit a tenth of a point.
int GdiWidth(HDC dc, const SheetItem& item, std::wstring& face) {
  HFONT font = CreateFontW(-item.size, 0, 0, 0, item.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, SHEET_FONT);
  const HGDIOBJ before = SelectObject(dc, font);
  wchar_t name[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, name);
  face = name;
  const std::wstring text = WideFromUtf8(item.text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, before);
  DeleteObject(font);
  return extent.cx;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sheet_picture_test ENTRIES ARTIFACTS\n");
    return 2;
  }
  HeadlessDialog dialog;
  dialog.Init();
  ImportPlan plan;
  LineFileError error;
  if (!dialog.ImportEntries(argv[1], plan, error)) {
    std::fprintf(stderr, "cannot import %s\n", argv[1]);
    return 1;
  }
  std::vector<SheetPage> pages;
  dialog.Sheet(SHEET_LETTER, pages);
  EXPECT(pages.size() == 3, "%zu pages", pages.size());

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = WIDTH;
  info.bmiHeader.biHeight = -HEIGHT;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  Picture picture{CreateCompatibleDC(screen), nullptr, (WIDTH * 3 + 3) / 4 * 4};
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC measure = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!bitmap || !picture.dc || !measure) {
    std::fprintf(stderr, "no bitmap to draw in\n");
    return 1;
  }
  picture.bits = static_cast<unsigned char*>(bits);
  SelectObject(picture.dc, bitmap);
  const DevicePage device{SHEET_LETTER, DOTS, DOTS, 0, 0};

  std::wstring face;
  int runs = 0;
  for (std::size_t n = 0; n < pages.size(); ++n) {
    PatBlt(picture.dc, 0, 0, WIDTH, HEIGHT, WHITENESS);
    DrawSheetPage(picture.dc, pages[n], device);
    GdiFlush();
    const std::string path = std::string(argv[2]) + "/win-sheet-" + std::to_string(n + 1) + ".bmp";
    EXPECT(SaveBitmap(picture, path), "cannot write %s", path.c_str());
    for (const SheetItem& item : pages[n].items) {
      if (item.kind != SheetItem::TEXT) continue;
      ++runs;
      // Its place at 100 dots an inch: from the cap height above the baseline to just below it.
      const int left = item.x * DOTS / 720;
      const int right = (item.x + SheetTextWidth(item.text, item.size, item.bold)) * DOTS / 720 + 1;
      const int top = (item.y - item.size * 3 / 4) * DOTS / 720;
      const int bottom = item.y * DOTS / 720 + 1;
      const int ink = Darkest(picture, left, top, right, bottom);
      EXPECT(ink < (item.grey ? 200 : 90), "page %zu: \"%s\" leaves ink %d", n + 1,
             item.text.c_str(), ink);
      if (item.grey) {
        EXPECT(ink > 60, "page %zu: grey \"%s\" drawn black (%d)", n + 1, item.text.c_str(), ink);
      }
      // The font's own advances against the layout's: within a fiftieth, and two tenths of a
      // point for the rounding of each glyph to whole units.
      const int measured = GdiWidth(measure, item, face);
      const int laid = SheetTextWidth(item.text, item.size, item.bold);
      const int slack = laid / 50 + 20;
      EXPECT(measured >= laid - slack && measured <= laid + slack,
             "\"%s\" at %d: GDI %d, the layout %d", item.text.c_str(), item.size, measured, laid);
    }
  }
  std::string name;
  Utf8FromWide(face.c_str(), name);
  std::printf("%d runs on %zu pages drawn in %s\n", runs, pages.size(), name.c_str());
  DeleteDC(measure);
  DeleteDC(picture.dc);
  DeleteObject(bitmap);
  return g_failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
