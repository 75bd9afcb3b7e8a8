// Turns an event script (the runner's language) into a dialog fuzzer input, so sessions
// written by hand seed the fuzzer: script_seed < SCRIPT > SEED. "show" lines are dropped.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/events.h"

namespace {

bool Fail(long number, const std::string& line) {
  std::fprintf(stderr, "script_seed: line %ld cannot be encoded: %s\n", number, line.c_str());
  return false;
}

bool Encode(const std::string& line, long number, std::vector<std::uint8_t>& out) {
  const std::size_t space = line.find(' ');
  const std::string command = line.substr(0, space);
  const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
  Event event;
  if (command == "show") return true;
  if (command == "init") {
    event.kind = Event::INIT;
  } else if (command == "type") {
    event.kind = Event::TYPE;
    const std::size_t end = rest.find(' ');
    event.id = std::atoi(rest.substr(0, end).c_str());
    event.text = end == std::string::npos ? "" : rest.substr(end + 1);
  } else {
    long args[3] = {0, 0, 0};
    int count = 0;
    for (std::size_t at = 0; count < 3 && at < rest.size(); ++count) {
      const std::size_t end = rest.find(' ', at);
      // Numbers past the int range stand for the largest position a message can carry.
      args[count] = std::strtol(rest.substr(at, end - at).c_str(), nullptr, 10);
      if (args[count] > 2147483647 || args[count] < 0) args[count] = 2147483647;
      at = end == std::string::npos ? rest.size() : end + 1;
    }
    event.id = static_cast<int>(args[0]);
    if (command == "leave") {
      event.kind = Event::LEAVE;
    } else if (command == "click") {
      event.kind = Event::CLICK;
    } else if (command == "scroll") {
      event.kind = Event::SCROLL;
      event.code = static_cast<unsigned>(args[1]);
      event.pos = static_cast<int>(args[2]);
    } else if (command == "command") {
      event.kind = Event::COMMAND;
    } else {
      return Fail(number, line);
    }
  }
  return AppendEvent(out, event) || Fail(number, line);
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
