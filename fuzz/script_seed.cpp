// Turns an event script (the runner's language) into a dialog fuzzer input, so sessions
// written by hand seed the fuzzer: script_seed < SCRIPT > SEED. "show" lines are dropped; a
// line that is no event of the dialog's (a save, the tote) cannot be encoded.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/events.h"
#include "runner/script.h"

namespace {

bool Encode(const std::string& line, long number, std::vector<std::uint8_t>& out) {
  ScriptCommand command;
  const char* error = ParseCommand(line, command);
  if (!error && command.kind == ScriptCommand::SHOW) return true;
  if (!error && !AppendEvent(out, command)) error = "no event of the dialog's";
  if (!error) return true;
  std::fprintf(stderr, "script_seed: line %ld cannot be encoded: %s: %s\n", number, error,
               line.c_str());
  return false;
}

}  // namespace

int main() {
  std::vector<std::uint8_t> out;
  std::string line;
  long number = 0;
  int c;
  do {
    c = std::getchar();
    if (c != EOF && c != '\n') {
      line.push_back(static_cast<char>(c));
      continue;
    }
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#' && !Encode(line, number, out)) return 2;
    line.clear();
  } while (c != EOF);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 2;
}
