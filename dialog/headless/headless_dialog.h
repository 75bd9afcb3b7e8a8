// The main dialog without a window system: the in-memory controls, the window operations the
// dispatch needs, and the user's actions as the window system would deliver them. The one
// in-memory dialog of the runner, the tests, the fuzzers and the benchmarks.
#ifndef ODDSMITH_DIALOG_HEADLESS_HEADLESS_DIALOG_H
#define ODDSMITH_DIALOG_HEADLESS_HEADLESS_DIALOG_H

#include "card/card.h"
#include "dialog/dispatch.h"
#include "dialog/surface.h"
#include "history/history.h"
#include "runner/script.h"
#include "tote/tote.h"

class HeadlessDialog final : public DialogWindow, public ScriptTarget {
 public:
  HeadlessDialog() = default;
  HeadlessDialog(const HeadlessDialog&) = delete;  // active_ may point into this object
  HeadlessDialog& operator=(const HeadlessDialog&) = delete;

  // The controls themselves: what the user does to them goes here, never through a wrapper.
  HeadlessSurface& Controls() { return surface_; }
  // Routes the dispatch's surface operations through wrapper, which must forward them to
  // Controls() (a benchmark counts or records them that way); nullptr routes them straight.
  void RouteThrough(DialogSurface* wrapper) { active_ = wrapper ? wrapper : &surface_; }
  bool Visible() const { return visible_; }
  bool Ended() const { return ended_; }

  // DialogWindow. A control's handle is its identifier.
  DialogSurface& Surface() override { return *active_; }
  int ControlId(LongParam handle) override;
  void ShowDialog(bool visible) override { visible_ = visible; }
  void EndDialog(LongParam result) override;
  void PostQuit(int code) override;
  int ThumbPosition(int barId, unsigned word) override;

  // ScriptTarget: each action goes through MainDialogProc.
  void Init() override;
  void Type(int editId, std::string_view text) override;
  void Leave(int editId) override;
  void Click(int boxId) override;
  void Scroll(int barId, unsigned code, int pos) override;
  void Command(int id) override;
  bool QuitPosted(int& code) override;
  DialogSnapshot Shown() override { return surface_.Snapshot(); }
  std::string CopiedLine() override;
  bool SaveLine(const std::string& path, LineFileError& error) override;
  bool OpenLine(const std::string& path, LineFileError& error) override;
  const ToteState* Tote() override { return &ShownRace(card_).tote; }
  bool SetTote(const ToteState& tote) override;
  bool ToteTable(std::string& table) override;
  bool Sheet(const SheetPaper& paper, std::vector<SheetPage>& pages) override;
  const char* PriceTicket(const Ticket& ticket, TicketPrice& price) override;
  Card* KeptCard() override { return &card_; }
  bool GoToRace(int race) override;
  bool ImportEntries(const std::string& path, ImportPlan& plan, LineFileError& error) override;
  void EndStep() override;
  bool Undo() override;
  bool Redo() override;

 private:
  // Delivers a message; once the dialog has ended, its destruction follows as on Windows.
  void Deliver(unsigned message, WordParam wParam, LongParam lParam);
  // What is being typed, taken as "Copy line" takes it, while the dialog lives.
  void TakeTypedEntriesFirst();

  HeadlessSurface surface_;
  Card card_;  // the window's, not the controls': no event changes it
  CardHistory history_;
  DialogSurface* active_ = &surface_;
  bool visible_ = false;
  bool ended_ = false;
  bool destroyed_ = false;
  bool quit_ = false;
  int quitCode_ = 0;
  int thumb_ = 0;  // the full position of the scroll being delivered
};

#endif
