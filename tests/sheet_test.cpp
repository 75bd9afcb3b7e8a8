// The sheet's layout: what each page holds, that it stays between the margins where it can and
// gives way only as it should (type first, then names, never a figure), and that a race too long
// for its page goes on to the next.
#include "sheet/sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/headless/headless_dialog.h"

namespace {

std::vector<const SheetItem*> Texts(const SheetPage& page) {
  std::vector<const SheetItem*> texts;
  for (const SheetItem& item : page.items) {
    if (item.kind == SheetItem::TEXT) texts.push_back(&item);
  }
  return texts;
}

const SheetItem* Find(const SheetPage& page, const std::string& text) {
  for (const SheetItem* item : Texts(page)) {
    if (item->text == text) return item;
  }
  return nullptr;
}

int Right(const SheetItem& item) {
  return item.x + SheetTextWidth(item.text, item.size, item.bold);
}

// A dialog whose field is horses, each named by a name at its limit, wide letters all.
void NameEveryHorse(HeadlessDialog& dialog, int horses) {
  dialog.Type(IDC_HORSES, std::to_string(horses));
  dialog.Leave(IDC_HORSES);
  for (int i = 0; i < horses; ++i) {
    HorseIdentity& horse = ShownRace(*dialog.KeptCard()).horses[i];
    SetFixedText(horse.program, std::to_string(i + 1) + "A");
    SetFixedText(horse.name, std::string(HORSE_NAME_MAX, 'W'));
    SetFixedText(horse.ml, "30-1");
  }
}

TEST(Sheet, AnUntouchedCardIsOnePage) {
  HeadlessDialog dialog;
  dialog.Init();
  std::vector<SheetPage> pages;
  ASSERT_TRUE(dialog.Sheet(SHEET_LETTER, pages));
  ASSERT_EQ(pages.size(), 1u);
  const SheetPage& page = pages[0];
  ASSERT_NE(Find(page, "Race 1"), nullptr);
  EXPECT_TRUE(Find(page, "Race 1")->bold);
  EXPECT_NE(Find(page, "120 % line \xC2\xB7 14 horses \xC2\xB7 Book 119.98 % \xC2\xB7 Edge 25 %"),
            nullptr);
  EXPECT_NE(Find(page, "Oddsmith"), nullptr);
  const SheetItem* count = Find(page, "Page 1 of 1");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(Right(*count), 6120 - 360);
  EXPECT_EQ(Find(page, "14")->size, SHEET_BODY_SIZE);
}

TEST(Sheet, ARowGivesTheLinesAndTheTotesFigures) {
  HeadlessDialog dialog;
  dialog.Init();
  dialog.Type(IDC_HORSES, "1");
  dialog.Leave(IDC_HORSES);
  SetFixedText(ShownRace(*dialog.KeptCard()).horses[0].name, "Caf\xE9 Racer");
  std::vector<SheetPage> pages;
  dialog.Sheet(SHEET_A4, pages);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> row;
  for (const SheetItem* item : Texts(pages[0])) {
    if (item->y == Find(pages[0], "1")->y) row.push_back(item->text);
  }
  // A lone horse's bar stops at 108 %: 1-9 on the board, certain by the line, and a bet only
  // at 2-5, the shortest price that pays the 25 % edge.
  const std::vector<std::string> expected = {
      "1", "Caf\xC3\xA9 Racer", "1-9", "108.0%", "100.0%", "0.0", "2-5"};
  EXPECT_EQ(row, expected);
  EXPECT_NE(Find(pages[0], "120 % line \xC2\xB7 1 horse \xC2\xB7 Book 108.00 % \xC2\xB7 Edge 25 %"),
            nullptr);
}

TEST(Sheet, AScratchedHorseIsGreyAndHasNoFigures) {
  HeadlessDialog dialog;
  dialog.Init();
  SetFixedText(ShownRace(*dialog.KeptCard()).horses[2].program, "3");
  dialog.Click(IDC_SCRATCH + 2);
  std::vector<SheetPage> pages;
  dialog.Sheet(SHEET_LETTER, pages);
  const SheetItem* scratched = Find(pages[0], "scratched");
  ASSERT_NE(scratched, nullptr);
  EXPECT_TRUE(scratched->grey);
  int texts = 0;
  int rules = 0;
  for (const SheetItem& item : pages[0].items) {
    if (item.y == scratched->y && item.kind == SheetItem::TEXT) {
      ++texts;
      EXPECT_TRUE(item.grey) << item.text;
    }
    // Between the baselines of rows 2 and 4: the writing rule under row 2 alone.
    rules += item.kind == SheetItem::RULE && item.y > Find(pages[0], "2")->y &&
             item.y < Find(pages[0], "4")->y;
  }
  EXPECT_EQ(texts, 3);  // its number, its program number, "scratched"
  EXPECT_EQ(rules, 1);
  EXPECT_NE(Find(pages[0],
                 "120 % line \xC2\xB7 14 horses (1 scratched) \xC2\xB7 Book 119.99 % "
                 "\xC2\xB7 Edge 25 %"),
            nullptr);
}

struct Paper {
  const char* name;
  SheetPaper paper;
  int size;     // the body's size it is set at
  bool elided;  // whether the names give way
  int pages;
};

TEST(Sheet, FourteenLongNamesFitEveryPaperAsFarAsTheyCan) {
  const Paper papers[] = {
      {"Letter", SHEET_LETTER, 70, false, 1},
      {"Letter across", {7920, 6120, 360, 360, 360, 360}, SHEET_BODY_SIZE, false, 1},
      {"A4", SHEET_A4, 70, false, 1},
      {"A4 across", {8420, 5950, 360, 360, 360, 360}, SHEET_BODY_SIZE, false, 1},
      {"narrow", {1440, 7920, 360, 360, 360, 360}, SHEET_SMALLEST_SIZE, true, 1},
  };
  HeadlessDialog dialog;
  dialog.Init();
  NameEveryHorse(dialog, 14);
  const std::string name(HORSE_NAME_MAX, 'W');
  for (const Paper& paper : papers) {
    std::vector<SheetPage> pages;
    dialog.Sheet(paper.paper, pages);
    ASSERT_EQ(static_cast<int>(pages.size()), paper.pages) << paper.name;
    const int right = paper.paper.width - paper.paper.right;
    int rows = 0;
    for (std::size_t n = 0; n < pages.size(); ++n) {
      const SheetPage& page = pages[n];
      EXPECT_NE(Find(page, "Page " + std::to_string(n + 1) + " of " + std::to_string(paper.pages)),
                nullptr);
      for (const SheetItem* item : Texts(page)) {
        if (item->text == "30-1") ++rows;
        if (item->text[0] == 'W') {
          EXPECT_EQ(item->size, paper.size) << paper.name;
          EXPECT_EQ(item->text != name, paper.elided) << paper.name;
          if (paper.elided) {
            EXPECT_EQ(item->text.substr(item->text.size() - 3), "\xE2\x80\xA6");
          }
        }
        // The heading and the figures stay whole; only where even elided names leave no room
        // do they run past the right margin.
        if (!paper.elided) {
          EXPECT_LE(Right(*item), right) << paper.name << " " << item->text;
        }
      }
    }
    EXPECT_EQ(rows, 14) << paper.name;  // every horse once, whatever the pages
  }
}

TEST(Sheet, EveryRaceOfTheCardHasItsPagesInRaceOrder) {
  HeadlessDialog dialog;
  dialog.Init();
  Card& card = *dialog.KeptCard();
  SetFixedText(card.track, "Saratoga");
  SetFixedText(card.date, "2026-12-09");
  dialog.GoToRace(7);
  SetFixedText(ShownRace(card).label, "Feature");
  dialog.GoToRace(3);
  std::vector<SheetPage> pages;
  dialog.Sheet(SHEET_LETTER, pages);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_NE(Find(pages[0], "Saratoga 2026-12-09 \xC2\xB7 Race 1"), nullptr);
  EXPECT_NE(Find(pages[1], "Saratoga 2026-12-09 \xC2\xB7 Race 3"), nullptr);
  EXPECT_NE(Find(pages[2], "Saratoga 2026-12-09 \xC2\xB7 Race Feature"), nullptr);
  EXPECT_NE(Find(pages[2], "Page 3 of 3"), nullptr);
}

}  // namespace
