// The shown dialog as data, and the surface over it that holds the controls in memory.
#include "book/snapshot.h"

#include <algorithm>
#include <cstring>

namespace {

struct TemplateText {
  int id;
  const char* text;
};

#define DLG_CONTROL(kind, id, x, y, width, height, text) {id, text},
constexpr TemplateText TEMPLATE[] = {
#include "resources/controls.def"
};
#undef DLG_CONTROL

bool InDialog(int id) { return id >= IDC_FIRST && id <= IDC_LAST; }

int Bound(int pos, int min, int max) { return pos < min ? min : pos > max ? max : pos; }

}  // namespace

DialogSnapshot StartSnapshot() {
  // Made once: a card's open makes one for each of its races.
  static const DialogSnapshot start = [] {
    DialogSnapshot shown;
    for (const TemplateText& control : TEMPLATE) shown[control.id].text = control.text;
    return shown;
  }();
  return start;
}

std::string ReadWholeText(DialogSurface& surface, int id) {
  std::string text;
  ReadWholeText(surface, id, text);
  return text;
}

void ReadWholeText(DialogSurface& surface, int id, std::string& text) {
  const int length = surface.TextLength(id);
  if (length <= 0) {
    text.clear();
    return;
  }
  text.resize(static_cast<std::size_t>(length) + 1);
  text.resize(static_cast<std::size_t>(surface.ReadText(id, text.data(), length + 1)));
}

void KeepSnapshot(DialogSurface& surface, DialogSnapshot& shown) {
  for (const int id : {IDC_LINE, IDC_HORSES}) {
    ReadWholeText(surface, id, shown[id].text);
    shown[id].modified = surface.IsModified(id);
  }
  for (int i = 0; i < ROW_COUNT; ++i) {
    ControlState& odds = shown[IDC_ODDS + i];
    ReadWholeText(surface, IDC_ODDS + i, odds.text);
    odds.modified = surface.IsModified(IDC_ODDS + i);
    ReadWholeText(surface, IDC_WIN_PCT + i, shown[IDC_WIN_PCT + i].text);
    ControlState& bar = shown[IDC_POOL_BAR + i];
    bar.min = surface.BarMin(IDC_POOL_BAR + i);
    bar.max = surface.BarMax(IDC_POOL_BAR + i);
    bar.pos = surface.BarPos(IDC_POOL_BAR + i);
    bar.arrows = surface.BarArrowsEnabled(IDC_POOL_BAR + i);
    shown[IDC_LOCK + i].checked = surface.IsChecked(IDC_LOCK + i);
    shown[IDC_SCRATCH + i].checked = surface.IsChecked(IDC_SCRATCH + i);
  }
}

DialogSnapshot TakeSnapshot(DialogSurface& surface) {
  DialogSnapshot shown;
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    ControlState& control = shown[id];
    control.text = ReadWholeText(surface, id);
    if (IsEditField(id)) control.modified = surface.IsModified(id);
    if (IsCheckBox(id)) control.checked = surface.IsChecked(id);
    if (IsPoolBar(id)) {
      control.min = surface.BarMin(id);
      control.max = surface.BarMax(id);
      control.pos = surface.BarPos(id);
      control.arrows = surface.BarArrowsEnabled(id);
    }
  }
  return shown;
}

void ShowSnapshot(DialogSurface& surface, const DialogSnapshot& shown, bool keepFlags) {
  surface.WriteText(IDC_LINE, shown[IDC_LINE].text.c_str());
  surface.WriteText(IDC_HORSES, shown[IDC_HORSES].text.c_str());
  for (int i = 0; i < ROW_COUNT; ++i) {
    surface.WriteText(IDC_ODDS + i, shown[IDC_ODDS + i].text.c_str());
    surface.WriteText(IDC_WIN_PCT + i, shown[IDC_WIN_PCT + i].text.c_str());
    const ControlState& bar = shown[IDC_POOL_BAR + i];
    surface.SetBarRange(IDC_POOL_BAR + i, bar.min, bar.max);
    surface.SetBarPos(IDC_POOL_BAR + i, bar.pos);
    // Last: setting a range enables a bar's arrows on Windows.
    surface.EnableBarArrows(IDC_POOL_BAR + i, bar.arrows);
    surface.SetChecked(IDC_LOCK + i, shown[IDC_LOCK + i].checked);
    surface.SetChecked(IDC_SCRATCH + i, shown[IDC_SCRATCH + i].checked);
  }
  if (!keepFlags) return;
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    if (IsEditField(id) && shown[id].modified) surface.SetModified(id, true);
  }
}

HeadlessSurface::HeadlessSurface() : shown_(StartSnapshot()) {}

HeadlessSurface::HeadlessSurface(const DialogSnapshot& shown) : shown_(shown) {}

ControlState* HeadlessSurface::Find(int id) {
  if (!InDialog(id)) {
    ++stray_;
    return nullptr;
  }
  return &shown_[id];
}

const ControlState& HeadlessSurface::State(int id) const {
  static const ControlState none;
  return InDialog(id) ? shown_[id] : none;
}

UnsignedRead HeadlessSurface::ReadUnsigned(int id) {
  const ControlState* control = Find(id);
  return control ? ParseUnsigned(control->text) : UnsignedRead{0, false};
}

int HeadlessSurface::TextLength(int id) {
  const ControlState* control = Find(id);
  return control ? static_cast<int>(control->text.size()) : 0;
}

int HeadlessSurface::ReadText(int id, char* buffer, int max) {
  if (max <= 0) return 0;
  const ControlState* control = Find(id);
  std::size_t length = 0;
  if (control) {
    length = std::min(control->text.size(), static_cast<std::size_t>(max - 1));
    std::memcpy(buffer, control->text.data(), length);
  }
  buffer[length] = '\0';
  return static_cast<int>(length);
}

void HeadlessSurface::WriteText(int id, const char* text) {
  if (ControlState* control = Find(id)) {
    control->text.assign(text);
    control->modified = false;
  }
}

bool HeadlessSurface::IsModified(int id) {
  const ControlState* control = Find(id);
  return control && control->modified;
}

void HeadlessSurface::SetModified(int id, bool modified) {
  if (ControlState* control = Find(id)) control->modified = modified;
}

bool HeadlessSurface::IsChecked(int id) {
  const ControlState* control = Find(id);
  return control && control->checked;
}

void HeadlessSurface::SetChecked(int id, bool on) {
  if (ControlState* control = Find(id)) control->checked = on;
}

void HeadlessSurface::SetBarRange(int id, int min, int max) {
  if (ControlState* control = Find(id)) {
    control->min = min;
    control->max = max;
    control->pos = Bound(control->pos, min, max);
  }
}

int HeadlessSurface::BarPos(int id) {
  const ControlState* control = Find(id);
  return control ? control->pos : 0;
}

void HeadlessSurface::SetBarPos(int id, int pos) {
  if (ControlState* control = Find(id)) control->pos = Bound(pos, control->min, control->max);
}

void HeadlessSurface::EnableBarArrows(int id, bool on) {
  if (ControlState* control = Find(id)) control->arrows = on;
}

int HeadlessSurface::BarMin(int id) {
  const ControlState* control = Find(id);
  return control ? control->min : 0;
}

int HeadlessSurface::BarMax(int id) {
  const ControlState* control = Find(id);
  return control ? control->max : 0;
}

bool HeadlessSurface::BarArrowsEnabled(int id) {
  const ControlState* control = Find(id);
  return control && control->arrows;
}

void HeadlessSurface::Type(int id, std::string_view text) {
  if (ControlState* control = Find(id)) {
    control->text.assign(text.substr(0, std::min(text.find('\0'), FIELD_TEXT_MAX)));
    control->modified = true;
  }
}
