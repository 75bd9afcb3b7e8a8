// Walks the template's order, which is also the Windows dialog's order of its controls.
#include "dialog/qt/control_group.h"

#include <QWidget>
#include <iterator>

#include "dialog/qt/dialog_template.h"

namespace {

constexpr int TEMPLATE_SIZE = static_cast<int>(std::size(TEMPLATE));

int IndexOf(int id) {
  for (int i = 0; i < TEMPLATE_SIZE; ++i) {
    if (TEMPLATE[i].id == id) return i;
  }
  return -1;
}

// The first control after id's place (before it when backwards), wrapping round the whole
// template and ending at id itself, for which accept is true; 0 when none is.
template <typename Accept>
int Walk(int id, bool backwards, Accept accept) {
  const int start = IndexOf(id);
  if (start < 0) return 0;
  for (int step = 1; step <= TEMPLATE_SIZE; ++step) {
    const int offset = backwards ? TEMPLATE_SIZE - step : step;
    const int candidate = TEMPLATE[(start + offset) % TEMPLATE_SIZE].id;
    if (accept(candidate)) return candidate;
  }
  return 0;
}

QWidget* ControlOf(const ControlTable& controls, int id) {
  return id >= IDC_FIRST && id <= IDC_LAST ? controls[id - IDC_FIRST] : nullptr;
}

bool Reachable(const QWidget* widget) {
  return widget && widget->isEnabled() && !widget->isHidden();
}

}  // namespace

bool InBarGroup(int id) { return IsPoolBar(id) || IsCheckBox(id); }

int NextInGroup(const ControlTable& controls, int id, bool backwards) {
  if (!InBarGroup(id)) return 0;
  return Walk(id, backwards, [&controls](int candidate) {
    return InBarGroup(candidate) && Reachable(ControlOf(controls, candidate));
  });
}

int NextTabStop(const ControlTable& controls, int id, bool backwards) {
  return Walk(id, backwards, [&controls](int candidate) {
    const QWidget* widget = ControlOf(controls, candidate);
    return Reachable(widget) && (widget->focusPolicy() & Qt::TabFocus);
  });
}
