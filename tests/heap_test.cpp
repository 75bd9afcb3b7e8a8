// No event may touch the heap: the core and the dispatch format into fixed buffers and every
// text the program writes fits the controls' strings without growing them. This program's
// global allocator counts what is allocated while an event is being delivered; the user's
// typing and the test's own bookkeeping happen outside that window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "book/board.h"
#include "book/book.h"
#include "card/card.h"
#include "dialog/dispatch.h"
#include "dialog/headless/headless_dialog.h"
#include "text/text.h"
#include "tote/tote.h"

namespace {

bool counting = false;
int allocations = 0;
std::size_t firstSize = 0;

void* Allocate(std::size_t size, std::size_t alignment) {
  if (counting && allocations++ == 0) firstSize = size;
  if (size == 0) size = 1;
  void* block = nullptr;
  if (alignment <= alignof(std::max_align_t)) {
    block = std::malloc(size);
  } else {
    // aligned_alloc takes only whole multiples of the alignment.
    const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
    block = std::aligned_alloc(alignment, rounded);
  }
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

// The nothrow and sized forms of the standard library forward to these.
void* operator new(std::size_t size) { return Allocate(size, 0); }
void* operator new[](std::size_t size) { return Allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t al) {
  return Allocate(size, static_cast<std::size_t>(al));
}
void* operator new[](std::size_t size, std::align_val_t al) {
  return Allocate(size, static_cast<std::size_t>(al));
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }

namespace {

class Heap : public ::testing::Test {
 protected:
  // Runs event with the allocator counting; fails naming the event if it allocated.
  template <class Event>
  void ExpectNoAllocation(const char* what, Event event) {
    allocations = 0;
    counting = true;
    event();
    counting = false;
    EXPECT_EQ(allocations, 0) << what << ": first allocation of " << firstSize << " bytes";
  }

  void Enter(int id, const char* text, const char* what) {
    dialog.Type(id, text);
    ExpectNoAllocation(what, [&] { dialog.Leave(id); });
  }

  HeadlessDialog dialog;
};

TEST_F(Heap, CounterSeesAnAllocation) {
  // Guards the test itself: a counter that missed allocations would pass anything.
  allocations = 0;
  counting = true;
  std::string* text = new std::string(100, 'x');
  counting = false;
  delete text;
  EXPECT_GE(allocations, 2);
}

TEST_F(Heap, StartUpAllocatesNothing) {
  ExpectNoAllocation("start-up", [&] { dialog.Init(); });
  EXPECT_EQ(dialog.Controls().Text(IDC_ODDS), "10.7");
}

TEST_F(Heap, ScrollsAllocateNothing) {
  dialog.Init();
  for (unsigned code = SCROLL_LINELEFT; code <= SCROLL_ENDSCROLL; ++code) {
    ExpectNoAllocation("scroll", [&] { dialog.Scroll(IDC_POOL_BAR + 2, code, 2857); });
  }
  ExpectNoAllocation("drag past the end", [&] {
    dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBTRACK, 2147483647);
    dialog.Scroll(IDC_POOL_BAR, SCROLL_THUMBPOSITION, 0);
  });
  ExpectNoAllocation("scroll of no bar", [&] { dialog.Scroll(IDC_LINE, SCROLL_LINERIGHT, 0); });
}

TEST_F(Heap, EntriesAllocateNothing) {
  dialog.Init();
  Enter(IDC_ODDS + 2, "5-2", "odds entry");
  Enter(IDC_ODDS + 2, "9/5", "odds entry on a locked horse");
  ExpectNoAllocation("odds left unchanged", [&] { dialog.Leave(IDC_ODDS + 3); });
  Enter(IDC_ODDS + 3, "evens", "odds without digits");
  Enter(IDC_HORSES, "8", "field size");
  Enter(IDC_ODDS + 12, "3-1", "odds in a scratched row");
  Enter(IDC_HORSES, "0", "field size out of range");
  Enter(IDC_HORSES, "14", "field size back to 14");
  Enter(IDC_LINE, "900", "widest line");  // the widest texts: "810.0%" and "-0.1"
  Enter(IDC_LINE, "x", "line that is no number");
  ExpectNoAllocation("line left unchanged", [&] { dialog.Leave(IDC_LINE); });
}

TEST_F(Heap, LongTypedTextsAllocateNothingWhenRewritten) {
  dialog.Init();
  // The program's shorter texts go into the strings the user's long ones grew.
  Enter(IDC_LINE, std::string(300, '7').c_str(), "long line");
  Enter(IDC_ODDS + 5, std::string(300, '2').c_str(), "long odds");
  Enter(IDC_HORSES, std::string(300, ' ').append("9").c_str(), "long field size");
}

TEST_F(Heap, ToteFiguresTablesAndTipsAllocateNothing) {
  dialog.Init();
  ToteState tote;
  SetToteText(tote, 0, "5-2");
  SetToteText(tote, 1, "<&>");
  Card& card = *dialog.KeptCard();
  SetFixedText(card.races[0]->horses[0].name, "Secretariat");
  SetFixedText(card.races[0]->horses[1].ml, "5-2");
  static char text[TOTE_HTML_MAX];
  ExpectNoAllocation("tote table", [&] {
    FormatToteTable(dialog.Surface(), tote, card.races[0]->horses, "\n", text, sizeof text);
    FormatToteHtml(dialog.Surface(), tote, card.races[0]->horses, text, sizeof text);
    FormatControlTip(dialog.Surface(), IDC_ODDS, text, sizeof text, &tote);
    FormatCardTip(dialog.Surface(), card, IDC_POOL_BAR + 1, text, sizeof text);
  });
}

TEST_F(Heap, ClicksAndCommandsAllocateNothing) {
  dialog.Init();
  ExpectNoAllocation("lock click", [&] { dialog.Click(IDC_LOCK + 1); });
  ExpectNoAllocation("scratch", [&] { dialog.Click(IDC_SCRATCH + 1); });
  ExpectNoAllocation("reinstatement", [&] { dialog.Click(IDC_SCRATCH + 1); });
  ExpectNoAllocation("every horse scratched", [&] {
    for (int i = 0; i < ROW_COUNT; ++i) dialog.Click(IDC_SCRATCH + i);
  });
  ExpectNoAllocation("enter key", [&] { dialog.Command(CMD_OK); });
  ExpectNoAllocation("close", [&] { dialog.Command(CMD_CANCEL); });
  int code = -1;
  EXPECT_TRUE(dialog.QuitPosted(code));
  EXPECT_EQ(code, 0);
}

}  // namespace
