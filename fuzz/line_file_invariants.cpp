// The line-file round trip behind the fuzzer and the replay test; see line_file_invariants.h.
#include "fuzz/line_file_invariants.h"

#include <string_view>

#include "dialog/headless/headless_dialog.h"
#include "files/line_file.h"

namespace {

// The file a dialog would save now.
std::string Saved(HeadlessDialog& dialog) {
  return FormatLineFile(CardStateOf(*dialog.KeptCard(), dialog.Surface()));
}

}  // namespace

std::string CheckLineFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CardState state;
  LineFileError error;
  if (!ParseLineFile(bytes, state, error)) {
    if (error.reason.empty()) return "refused without a reason";
    if (error.line < 0) return "refused at a negative line";
    return "";
  }
  // Opened in a fresh dialog, saved, and opened again: the same card, the same dialog, the
  // same file.
  HeadlessDialog dialog;
  ShowCardState(state, *dialog.KeptCard(), dialog.Surface());
  const std::string saved = Saved(dialog);
  CardState again;
  if (!ParseLineFile(saved, again, error)) return "a saved file is refused: " + error.reason;
  HeadlessDialog reopened;
  ShowCardState(again, *reopened.KeptCard(), reopened.Surface());
  if (Saved(reopened) != saved) return "a saved file opens to another card";
  if (!(reopened.Controls().Snapshot() == dialog.Controls().Snapshot())) {
    return "a saved file shows another dialog";
  }
  if (reopened.KeptCard()->shown != state.current) return "an opened file shows another race";
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    if (dialog.Controls().Modified(id)) return "an opened file leaves a field modified";
  }
  return "";
}
