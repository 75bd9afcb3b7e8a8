// Encoding and decoding of event streams; see events.h.
#include "fuzz/events.h"

#include <algorithm>

#include "book/book.h"
#include "dialog/dispatch.h"

namespace {

constexpr int OP_COUNT = 7;
constexpr int EDIT_FIELD_COUNT = 2 + ROW_COUNT;
constexpr int BOX_COUNT = 2 * ROW_COUNT;
constexpr unsigned SCROLL_CODES = 10;
constexpr std::uint8_t LONG_TEXT = 255;

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

bool NextEvent(const std::uint8_t* data, std::size_t size, std::size_t& at, Event& event) {
  auto byte = [&](int& value) {
    if (at >= size) return false;
    value = data[at++];
    return true;
  };
  int op = 0;
  int operand = 0;
  if (!byte(op)) return false;
  event = Event{};
  event.kind = static_cast<Event::Kind>(op % OP_COUNT);
  switch (event.kind) {
    case Event::INIT: return true;
    case Event::TYPE:
    case Event::TYPE_LEAVE: {
      int length = 0;
      if (!byte(operand) || !byte(length)) return false;
      event.id = EditField(operand);
      if (length == LONG_TEXT) {
        int low = 0;
        int high = 0;
        if (!byte(low) || !byte(high)) return false;
        length = low | high << 8;
      }
      const std::size_t taken = std::min<std::size_t>(static_cast<std::size_t>(length), size - at);
      event.text.assign(reinterpret_cast<const char*>(data + at), taken);
      at += taken;
      return true;
    }
    case Event::LEAVE:
      if (!byte(operand)) return false;
      event.id = EditField(operand);
      return true;
    case Event::CLICK:
      if (!byte(operand)) return false;
      event.id = IDC_LOCK + operand % BOX_COUNT;
      return true;
    case Event::SCROLL: {
      int code = 0;
      if (!byte(operand) || !byte(code) || size - at < 4) return false;
      event.id = IDC_POOL_BAR + operand % ROW_COUNT;
      event.code = static_cast<unsigned>(code) % SCROLL_CODES;
      const std::uint32_t pos = data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                static_cast<std::uint32_t>(data[at + 3]) << 24;
      event.pos = static_cast<int>(pos & 0x7FFFFFFF);
      at += 4;
      return true;
    }
    case Event::COMMAND:
      if (!byte(operand)) return false;
      event.id = 1 + operand % 2;
      return true;
  }
  return false;
}

bool AppendEvent(std::vector<std::uint8_t>& out, const Event& event) {
  auto push = [&](int value) { out.push_back(static_cast<std::uint8_t>(value)); };
  switch (event.kind) {
    case Event::INIT: push(Event::INIT); return true;
    case Event::TYPE:
    case Event::TYPE_LEAVE: {
      const int selector = EditSelector(event.id);
      if (selector < 0 || event.text.size() > 0xFFFF) return false;
      push(event.kind);
      push(selector);
      if (event.text.size() >= LONG_TEXT) {
        push(LONG_TEXT);
        push(static_cast<int>(event.text.size() & 0xFF));
        push(static_cast<int>(event.text.size() >> 8));
      } else {
        push(static_cast<int>(event.text.size()));
      }
      out.insert(out.end(), event.text.begin(), event.text.end());
      return true;
    }
    case Event::LEAVE: {
      const int selector = EditSelector(event.id);
      if (selector < 0) return false;
      push(Event::LEAVE);
      push(selector);
      return true;
    }
    case Event::CLICK:
      if (event.id < IDC_LOCK || event.id >= IDC_LOCK + BOX_COUNT) return false;
      push(Event::CLICK);
      push(event.id - IDC_LOCK);
      return true;
    case Event::SCROLL:
      if (event.id < IDC_POOL_BAR || event.id >= IDC_POOL_BAR + ROW_COUNT ||
          event.code >= SCROLL_CODES || event.pos < 0) {
        return false;
      }
      push(Event::SCROLL);
      push(event.id - IDC_POOL_BAR);
      push(static_cast<int>(event.code));
      for (int shift = 0; shift < 32; shift += 8) push(event.pos >> shift & 0xFF);
      return true;
    case Event::COMMAND:
      if (event.id != CMD_OK && event.id != CMD_CANCEL) return false;
      push(Event::COMMAND);
      push(event.id - 1);
      return true;
  }
  return false;
}
