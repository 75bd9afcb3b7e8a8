// Reads the resources back out of the built oddsmith.exe: the main dialog's template exactly as
// the layout table fixes it, the manifest and the version.
// Usage: resources_test ODDSMITH_EXE
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/ids.h"
#include "tests/win32/check.h"
#include "tests/win32/exe_resources.h"

namespace {

// Walks a classic dialog template: WORD-aligned strings, DWORD-aligned items.
class TemplateReader {
 public:
  TemplateReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  bool Overrun() const { return overrun_; }
  DWORD Dword() {
    DWORD value = 0;
    Copy(&value, sizeof value);
    return value;
  }
  WORD Word() {
    WORD value = 0;
    Copy(&value, sizeof value);
    return value;
  }
  short Short() { return static_cast<short>(Word()); }
  // A string or an ordinal (0xFFFF and a number), as "#N" for ordinals; "" for none.
  std::string StringOrOrdinal() {
    const WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::string text;
    for (WORD c = first; c != 0 && !overrun_; c = Word()) {
      text.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return text;
  }
  void AlignDword() { at_ = (at_ + 3) & ~std::size_t{3}; }

 private:
  void Copy(void* out, std::size_t count) {
    if (at_ + count > size_) {
      overrun_ = true;
      return;
    }
    std::memcpy(out, data_ + at_, count);
    at_ += count;
  }
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool overrun_ = false;
};

struct Control {
  DWORD style;
  DWORD exStyle;
  int x, y, width, height, id;
  std::string className;
  std::string text;
};

// user32's predefined classes may be stored by ordinal or by name; either is the same class.
std::string ClassName(const std::string& stored) {
  if (stored == "#128") return "BUTTON";
  if (stored == "#129") return "EDIT";
  if (stored == "#130") return "STATIC";
  if (stored == "#132") return "SCROLLBAR";
  std::string upper = stored;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return upper;
}

// The layout, in template order.
std::vector<Control> ExpectedControls() {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  const DWORD label = base | SS_LEFT | WS_GROUP;
  const DWORD edit = base | ES_LEFT | WS_BORDER | WS_TABSTOP;
  std::vector<Control> controls;
  for (int i = 0; i < 14; ++i)
    controls.push_back({base | SBS_HORZ, 0, 62, 40 + 11 * i, 48, 9, 101 + i, "SCROLLBAR", ""});
  for (int i = 0; i < 14; ++i)
    controls.push_back({base | BS_AUTOCHECKBOX, 0, 112, 41 + 11 * i, 9, 7, 115 + i, "BUTTON", ""});
  for (int i = 0; i < 14; ++i)
    controls.push_back({base | BS_AUTOCHECKBOX, 0, 131, 41 + 11 * i, 9, 7, 129 + i, "BUTTON", ""});
  controls.push_back({label, 0, 2, 12, 32, 8, 143, "STATIC", "% Line:"});
  controls.push_back({edit, 0, 34, 10, 19, 12, 144, "EDIT", ""});
  controls.push_back({label, 0, 56, 12, 40, 8, 145, "STATIC", "# of horses:"});
  controls.push_back({edit, 0, 98, 11, 15, 12, 146, "EDIT", ""});
  controls.push_back({base | BS_GROUPBOX, 0, 1, 0, 115, 26, 147, "BUTTON", "Race Info"});
  controls.push_back({label, 0, 3, 29, 8, 8, 148, "STATIC", "#"});
  for (int i = 0; i < 14; ++i)
    controls.push_back({label, 0, 3, 40 + 11 * i, 8, 8, 149 + i, "STATIC", std::to_string(i + 1)});
  controls.push_back({label, 0, 132, 29, 15, 8, 163, "STATIC", "Scr."});
  controls.push_back({label, 0, 111, 29, 20, 8, 164, "STATIC", "Lock"});
  controls.push_back({label, 0, 14, 29, 20, 8, 165, "STATIC", "Odds"});
  controls.push_back({label, 0, 35, 29, 31, 8, 166, "STATIC", "% to win"});
  for (int i = 0; i < 14; ++i)
    controls.push_back({edit, 0, 13, 40 + 11 * i, 20, 9, 167 + i, "EDIT", ""});
  for (int i = 0; i < 14; ++i)
    controls.push_back({label, 0, 36, 40 + 11 * i, 20, 9, 181 + i, "STATIC", ""});
  controls.push_back({label, 0, 76, 29, 20, 8, 195, "STATIC", "Pools"});
  return controls;
}

void CheckDialogTemplate(const ResourceBytes& resource) {
  TemplateReader reader(resource.data, resource.size);
  const DWORD style = reader.Dword();
  // An extended template starts with the version 1 and the signature 0xFFFF instead.
  EXPECT(style != 0xFFFF0001, "an extended template, not a classic one");
  EXPECT(style == (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                   DS_MODALFRAME | DS_SETFONT),
         "style %#lx", style);
  EXPECT(reader.Dword() == 0, "extended style");
  const WORD count = reader.Word();
  EXPECT(count == 95, "%u controls", count);
  const int x = reader.Short(), y = reader.Short(), cx = reader.Short(), cy = reader.Short();
  EXPECT(x == 10 && y == 17 && cx == 147 && cy == 194, "%d,%d %dx%d", x, y, cx, cy);
  const std::string menu = reader.StringOrOrdinal(), windowClass = reader.StringOrOrdinal();
  EXPECT(menu.empty() && windowClass.empty(), "menu '%s' class '%s'", menu.c_str(),
         windowClass.c_str());
  const std::string caption = reader.StringOrOrdinal();
  EXPECT(caption == "Oddsmith", "caption '%s'", caption.c_str());
  const WORD points = reader.Word();
  const std::string face = reader.StringOrOrdinal();
  EXPECT(points == 8 && face == "MS Sans Serif", "font %u '%s'", points, face.c_str());

  const std::vector<Control> expected = ExpectedControls();
  std::vector<int> tabStops;
  for (std::size_t order = 0; order < expected.size() && order < count; ++order) {
    reader.AlignDword();
    Control c{};
    c.style = reader.Dword();
    c.exStyle = reader.Dword();
    c.x = reader.Short(), c.y = reader.Short(), c.width = reader.Short();
    c.height = reader.Short(), c.id = reader.Word();
    c.className = ClassName(reader.StringOrOrdinal());
    c.text = reader.StringOrOrdinal();
    const WORD extra = reader.Word();
    for (WORD skip = 0; skip < extra; ++skip) reader.Word();
    const Control& e = expected[order];
    EXPECT(c.id == e.id && c.className == e.className && c.style == e.style && c.exStyle == 0 &&
               c.x == e.x && c.y == e.y && c.width == e.width && c.height == e.height &&
               c.text == e.text && extra == 0,
           "control %zu: id %d %s %#lx/%#lx %d,%d %dx%d '%s' extra %u; expected id %d %s %#lx "
           "%d,%d %dx%d '%s'",
           order + 1, c.id, c.className.c_str(), c.style, c.exStyle, c.x, c.y, c.width, c.height,
           c.text.c_str(), extra, e.id, e.className.c_str(), e.style, e.x, e.y, e.width, e.height,
           e.text.c_str());
    if (c.style & WS_TABSTOP) tabStops.push_back(c.id);
  }
  EXPECT(!reader.Overrun(), "the template ends early");
  // Tab order: the line, the number of horses, then the odds fields from the top.
  std::vector<int> expectedTabs{144, 146};
  for (int id = 167; id <= 180; ++id) expectedTabs.push_back(id);
  EXPECT(tabStops == expectedTabs, "%zu tab stops in another order", tabStops.size());
}

void CheckManifest(const ResourceBytes& resource) {
  const std::string text(reinterpret_cast<const char*>(resource.data), resource.size);
  for (const char* needle :
       {"level=\"asInvoker\"", "PerMonitorV2", ">true/pm<", "Microsoft.Windows.Common-Controls",
        "version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\""}) {
    EXPECT(text.find(needle) != std::string::npos, "manifest lacks %s", needle);
  }
}

void CheckVersion(const char* exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
  EXPECT(size > 0, "no version resource");
  if (size == 0) return;
  std::vector<char> block(size);
  GetFileVersionInfoA(exe, 0, size, block.data());
  char* name = nullptr;
  UINT length = 0;
  VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\ProductName",
                 reinterpret_cast<void**>(&name), &length);
  EXPECT(name && std::string(name) == "Oddsmith", "product name '%s'", name ? name : "");
  VS_FIXEDFILEINFO* fixed = nullptr;
  VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
  EXPECT(fixed && fixed->dwFileType == VFT_APP, "not an application");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resources_test ODDSMITH_EXE\n");
    return 2;
  }
  const ResourceBytes dialog = LoadExeResource(argv[1], "ODDSMITHBOX", RT_DIALOG);
  EXPECT(dialog.data, "no dialog ODDSMITHBOX");
  if (dialog.data) CheckDialogTemplate(dialog);
  const ResourceBytes manifest =
      LoadExeResource(argv[1], CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  EXPECT(manifest.data, "no manifest");
  if (manifest.data) CheckManifest(manifest);
  CheckVersion(argv[1]);
  // The shell shows the first icon group; it must hold the small and the large sizes.
  const ResourceBytes icons =
      LoadExeResource(argv[1], MAKEINTRESOURCEA(IDI_ODDSMITH), RT_GROUP_ICON);
  EXPECT(icons.data && icons.size >= 6 + 4 * 14, "no icon group with the program's sizes");
  return CheckResult();
}
