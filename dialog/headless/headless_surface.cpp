// The in-memory dialog controls: the state the window system would hold, per control.
#include <algorithm>
#include <cstring>

#include "dialog/surface.h"

namespace {

struct Template {
  int id;
  const char* text;
};

#define DLG_CONTROL(kind, id, x, y, width, height, text) {id, text},
constexpr Template TEMPLATE[] = {
#include "resources/controls.def"
};
#undef DLG_CONTROL

int Bound(int pos, int min, int max) { return pos < min ? min : pos > max ? max : pos; }

}  // namespace

HeadlessSurface::HeadlessSurface() {
  for (const Template& control : TEMPLATE) Find(control.id)->text = control.text;
}

HeadlessSurface::Control* HeadlessSurface::Find(int id) {
  if (id < IDC_FIRST || id > IDC_LAST) {
    ++stray_;
    return nullptr;
  }
  return &controls_[id - IDC_FIRST];
}

const HeadlessSurface::Control* HeadlessSurface::Find(int id) const {
  if (id < IDC_FIRST || id > IDC_LAST) return nullptr;
  return &controls_[id - IDC_FIRST];
}

UnsignedRead HeadlessSurface::ReadUnsigned(int id) {
  const Control* control = Find(id);
  return control ? ParseUnsigned(control->text) : UnsignedRead{0, false};
}

int HeadlessSurface::ReadText(int id, char* buffer, int max) {
  if (max <= 0) return 0;
  const Control* control = Find(id);
  std::size_t length = 0;
  if (control) {
    length = control->text.size();
    if (length > static_cast<std::size_t>(max - 1)) length = static_cast<std::size_t>(max - 1);
    std::memcpy(buffer, control->text.data(), length);
  }
  buffer[length] = '\0';
  return static_cast<int>(length);
}

void HeadlessSurface::WriteText(int id, const char* text) {
  if (Control* control = Find(id)) {
    control->text.assign(text);
    control->modified = false;
  }
}

bool HeadlessSurface::IsModified(int id) {
  const Control* control = Find(id);
  return control && control->modified;
}

bool HeadlessSurface::IsChecked(int id) {
  const Control* control = Find(id);
  return control && control->checked;
}

void HeadlessSurface::SetChecked(int id, bool on) {
  if (Control* control = Find(id)) control->checked = on;
}

void HeadlessSurface::SetBarRange(int id, int min, int max) {
  if (Control* control = Find(id)) {
    control->min = min;
    control->max = max;
    control->pos = Bound(control->pos, min, max);
  }
}

int HeadlessSurface::BarPos(int id) {
  const Control* control = Find(id);
  return control ? control->pos : 0;
}

void HeadlessSurface::SetBarPos(int id, int pos) {
  if (Control* control = Find(id)) control->pos = Bound(pos, control->min, control->max);
}

void HeadlessSurface::EnableBarArrows(int id, bool on) {
  if (Control* control = Find(id)) control->arrows = on;
}

void HeadlessSurface::Type(int id, std::string_view text) {
  if (Control* control = Find(id)) {
    control->text.assign(text.substr(0, std::min(text.find('\0'), FIELD_TEXT_MAX)));
    control->modified = true;
  }
}

std::string_view HeadlessSurface::Text(int id) const {
  const Control* control = Find(id);
  return control ? std::string_view(control->text) : std::string_view();
}

bool HeadlessSurface::Modified(int id) const {
  const Control* control = Find(id);
  return control && control->modified;
}

bool HeadlessSurface::Checked(int id) const {
  const Control* control = Find(id);
  return control && control->checked;
}

int HeadlessSurface::Pos(int id) const {
  const Control* control = Find(id);
  return control ? control->pos : 0;
}

int HeadlessSurface::RangeMin(int id) const {
  const Control* control = Find(id);
  return control ? control->min : 0;
}

int HeadlessSurface::RangeMax(int id) const {
  const Control* control = Find(id);
  return control ? control->max : 0;
}

bool HeadlessSurface::ArrowsEnabled(int id) const {
  const Control* control = Find(id);
  return control && control->arrows;
}

int HeadlessSurface::BarMin(int id) { return RangeMin(id); }

int HeadlessSurface::BarMax(int id) { return RangeMax(id); }

bool HeadlessSurface::BarArrowsEnabled(int id) { return ArrowsEnabled(id); }
