// Encoding and decoding of event streams; see events.h.
#include "fuzz/events.h"

#include <algorithm>

#include "dialog/dispatch.h"

namespace {

constexpr int OP_COUNT = 7;
constexpr int OP_TYPE_AND_LEAVE = 6;
constexpr int EDIT_FIELD_COUNT = 2 + ROW_COUNT;
constexpr int BOX_COUNT = 2 * ROW_COUNT;
constexpr unsigned SCROLL_CODES = 10;
constexpr std::uint8_t LONG_TEXT = 255;

// The ops in the order of their bytes, 0 to 5; 6 is type and leave.
constexpr ScriptCommand::Kind OPS[] = {ScriptCommand::INIT,   ScriptCommand::TYPE,
                                       ScriptCommand::LEAVE,  ScriptCommand::CLICK,
                                       ScriptCommand::SCROLL, ScriptCommand::COMMAND};

int EditField(int selector) {
  selector %= EDIT_FIELD_COUNT;
  return selector == 0 ? IDC_LINE : selector == 1 ? IDC_HORSES : IDC_ODDS + selector - 2;
}

int EditSelector(int id) {
  if (id == IDC_LINE) return 0;
  if (id == IDC_HORSES) return 1;
  if (IsOddsField(id)) return id - IDC_ODDS + 2;
  return -1;
}

}  // namespace

int NextEvent(const std::uint8_t* data, std::size_t size, std::size_t& at,
              ScriptCommand (&commands)[2]) {
  auto byte = [&](int& value) {
    if (at >= size) return false;
    value = data[at++];
    return true;
  };
  int op = 0;
  int operand = 0;
  if (!byte(op)) return 0;
  op %= OP_COUNT;
  ScriptCommand& command = commands[0];
  command = ScriptCommand();
  command.kind = OPS[op == OP_TYPE_AND_LEAVE ? 1 : op];
  switch (command.kind) {
    case ScriptCommand::INIT: return 1;
    case ScriptCommand::TYPE: {
      int length = 0;
      if (!byte(operand) || !byte(length)) return 0;
      command.id = EditField(operand);
      if (length == LONG_TEXT) {
        int low = 0;
        int high = 0;
        if (!byte(low) || !byte(high)) return 0;
        length = low | high << 8;
      }
      const std::size_t taken = std::min<std::size_t>(static_cast<std::size_t>(length), size - at);
      command.text.assign(reinterpret_cast<const char*>(data + at), taken);
      at += taken;
      if (op != OP_TYPE_AND_LEAVE) return 1;
      commands[1] = ScriptCommand();
      commands[1].kind = ScriptCommand::LEAVE;
      commands[1].id = command.id;
      return 2;
    }
    case ScriptCommand::LEAVE:
      if (!byte(operand)) return 0;
      command.id = EditField(operand);
      return 1;
    case ScriptCommand::CLICK:
      if (!byte(operand)) return 0;
      command.id = IDC_LOCK + operand % BOX_COUNT;
      return 1;
    case ScriptCommand::SCROLL: {
      int code = 0;
      if (!byte(operand) || !byte(code) || size - at < 4) return 0;
      command.id = IDC_POOL_BAR + operand % ROW_COUNT;
      command.code = static_cast<unsigned>(code) % SCROLL_CODES;
      const std::uint32_t pos = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                static_cast<std::uint32_t>(data[at + 3]) << 24;
      command.pos = static_cast<int>(pos & 0x7FFFFFFF);
      command.hasPos = true;
      at += 4;
      return 1;
    }
    case ScriptCommand::COMMAND:
      if (!byte(operand)) return 0;
      command.id = 1 + operand % 2;
      return 1;
    default: return 0;
  }
}

bool AppendEvent(std::vector<std::uint8_t>& out, const ScriptCommand& command) {
  auto push = [&](int value) { out.push_back(static_cast<std::uint8_t>(value)); };
  const auto op = [](ScriptCommand::Kind kind) {
    return static_cast<int>(std::find(std::begin(OPS), std::end(OPS), kind) - std::begin(OPS));
  };
  switch (command.kind) {
    case ScriptCommand::INIT: push(op(command.kind)); return true;
    case ScriptCommand::TYPE: {
      const int selector = EditSelector(command.id);
      if (selector < 0 || command.text.size() > 0xFFFF) return false;
      push(op(command.kind));
      push(selector);
      if (command.text.size() >= LONG_TEXT) {
        push(LONG_TEXT);
        push(static_cast<int>(command.text.size() & 0xFF));
        push(static_cast<int>(command.text.size() >> 8));
      } else {
        push(static_cast<int>(command.text.size()));
      }
      out.insert(out.end(), command.text.begin(), command.text.end());
      return true;
    }
    case ScriptCommand::LEAVE: {
      const int selector = EditSelector(command.id);
      if (selector < 0) return false;
      push(op(command.kind));
      push(selector);
      return true;
    }
    case ScriptCommand::CLICK:
      if (command.id < IDC_LOCK || command.id >= IDC_LOCK + BOX_COUNT) return false;
      push(op(command.kind));
      push(command.id - IDC_LOCK);
      return true;
    case ScriptCommand::SCROLL:
      if (!IsPoolBar(command.id) || command.code >= SCROLL_CODES || command.pos < 0) return false;
      push(op(command.kind));
      push(command.id - IDC_POOL_BAR);
      push(static_cast<int>(command.code));
      for (int shift = 0; shift < 32; shift += 8) push(command.pos >> shift & 0xFF);
      return true;
    case ScriptCommand::COMMAND:
      if (command.id != CMD_OK && command.id != CMD_CANCEL) return false;
      push(op(command.kind));
      push(command.id - 1);
      return true;
    default: return false;
  }
}
