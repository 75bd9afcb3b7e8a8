// The line-file round trip behind the fuzzer and the replay test; see line_file_invariants.h.
#include "fuzz/line_file_invariants.h"

#include <string_view>

#include "dialog/headless/headless_dialog.h"
#include "dialog/line_file.h"

std::string CheckLineFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LineState state;
  LineFileError error;
  if (!ParseLineFile(bytes, state, error)) {
    if (error.reason.empty()) return "refused without a reason";
    if (error.line < 0) return "refused at a negative line";
    return "";
  }
  // Opened in a fresh dialog, saved, and opened again: the same dialog, the same file.
  HeadlessDialog dialog;
  ShowLineState(dialog.Surface(), state);
  const std::string saved = FormatLineFile(ReadLineState(dialog.Surface()));
  LineState again;
  if (!ParseLineFile(saved, again, error)) return "a saved file is refused: " + error.reason;
  HeadlessDialog reopened;
  ShowLineState(reopened.Surface(), again);
  if (FormatLineFile(ReadLineState(reopened.Surface())) != saved) {
    return "a saved file opens to another dialog";
  }
  for (int id = IDC_FIRST; id <= IDC_LAST; ++id) {
    if (dialog.Controls().Modified(id)) return "an opened file leaves a field modified";
  }
  return "";
}
