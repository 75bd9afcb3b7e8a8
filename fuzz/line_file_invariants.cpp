// The line-file round trip behind the fuzzer and the replay test; see line_file_invariants.h.
#include "fuzz/line_file_invariants.h"

#include <string_view>

#include "dialog/headless/headless_dialog.h"
#include "files/line_file.h"

namespace {

bool SameTote(const ToteState& a, const ToteState& b) {
  for (int i = 0; i < ROW_COUNT; ++i) {
    if (ToteText(a, i) != ToteText(b, i)) return false;
  }
  return a.edge == b.edge;
}

}  // namespace

std::string CheckLineFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LineState state;
  LineFileError error;
  if (!ParseLineFile(bytes, state, error)) {
    if (error.reason.empty()) return "refused without a reason";
    if (error.line < 0) return "refused at a negative line";
    return "";
  }
  // Opened in a fresh dialog, saved, and opened again: the same dialog and tote, the same file.
  HeadlessDialog dialog;
  ShowLineState(dialog.Surface(), state);
  dialog.SetTote(state.tote);
  const std::string saved = FormatLineFile(ReadLineState(dialog.Surface(), *dialog.Tote()));
  LineState again;
  if (!ParseLineFile(saved, again, error)) return "a saved file is refused: " + error.reason;
  HeadlessDialog reopened;
  ShowLineState(reopened.Surface(), again);
  reopened.SetTote(again.tote);
  if (FormatLineFile(ReadLineState(reopened.Surface(), *reopened.Tote())) != saved) {
    return "a saved file opens to another dialog";
  }
  if (!(reopened.Controls().Snapshot() == dialog.Controls().Snapshot()) ||
      !SameTote(*reopened.Tote(), *dialog.Tote())) {
    return "a saved file shows another dialog or tote";
  }
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    if (dialog.Controls().Modified(id)) return "an opened file leaves a field modified";
  }
  return "";
}
