// The headless dialog's window operations and user actions.
#include "dialog/headless/headless_dialog.h"

#include "book/board.h"
#include "files/line_file.h"
#include "tote/tote.h"

int HeadlessDialog::ControlId(LongParam handle) {
  return handle >= IDC_FIRST && handle <= IDC_LAST ? static_cast<int>(handle) : 0;
}

void HeadlessDialog::EndDialog(LongParam /*result*/) { ended_ = true; }

void HeadlessDialog::PostQuit(int code) {
  if (quit_) return;  // the first quit message ends the loop
  quit_ = true;
  quitCode_ = code;
}

int HeadlessDialog::ThumbPosition(int /*barId*/, unsigned /*word*/) { return thumb_; }

void HeadlessDialog::Deliver(unsigned message, WordParam wParam, LongParam lParam) {
  if (destroyed_) return;
  MainDialogProc(*this, message, wParam, lParam);
  if (ended_) {
    destroyed_ = true;
    visible_ = false;
    MainDialogProc(*this, MSG_DESTROY, 0, 0);
  }
}

void HeadlessDialog::Init() { Deliver(MSG_INITDIALOG, 0, 0); }

void HeadlessDialog::Type(int editId, std::string_view text) { surface_.Type(editId, text); }

void HeadlessDialog::Leave(int editId) {
  Deliver(MSG_COMMAND, MakeCommandParam(editId, NOTIFY_KILLFOCUS), editId);
}

void HeadlessDialog::Click(int boxId) {
  surface_.SetChecked(boxId, !surface_.Checked(boxId));
  Deliver(MSG_COMMAND, MakeCommandParam(boxId, NOTIFY_CLICKED), boxId);
}

void HeadlessDialog::Scroll(int barId, unsigned code, int pos) {
  thumb_ = pos;
  Deliver(MSG_HSCROLL, MakeScrollParam(code, pos), barId);
}

void HeadlessDialog::Command(int id) { Deliver(MSG_COMMAND, MakeCommandParam(id, 0), 0); }

bool HeadlessDialog::QuitPosted(int& code) {
  code = quitCode_;
  return quit_;
}

void HeadlessDialog::TakeTypedEntriesFirst() {
  if (!destroyed_) TakeTypedEntries(*this);
}

std::string HeadlessDialog::CopiedLine() {
  TakeTypedEntriesFirst();
  char text[LINE_TABLE_MAX];
  FormatLineTable(surface_, ShownRace(card_).horses, "\n", text, sizeof text);
  return text;
}

bool HeadlessDialog::SetTote(const ToteState& tote) {
  ShownRace(card_).tote = tote;
  return true;
}

bool HeadlessDialog::ToteTable(std::string& table) {
  TakeTypedEntriesFirst();
  const Race& race = ShownRace(card_);
  char text[TOTE_TABLE_MAX];
  FormatToteTable(surface_, race.tote, race.horses, "\n", text, sizeof text, card_.money);
  table = text;
  return true;
}

bool HeadlessDialog::Sheet(const SheetPaper& paper, std::vector<SheetPage>& pages) {
  TakeTypedEntriesFirst();
  pages = LayOutSheet(card_, surface_, paper);
  return true;
}

const char* HeadlessDialog::PriceTicket(const Ticket& ticket, TicketPrice& price) {
  TakeTypedEntriesFirst();
  return PriceCardTicket(card_, surface_, ticket, price);
}

bool HeadlessDialog::GoToRace(int race) {
  if (race == card_.shown) return true;  // not even the typed entries are taken
  TakeTypedEntriesFirst();
  EndStep();
  ShowRace(card_, Surface(), race);
  EndStep();
  return true;
}

void HeadlessDialog::EndStep() {
  if (!destroyed_) ::EndStep(history_, card_.shown, surface_);
}

bool HeadlessDialog::Undo() {
  if (!destroyed_) ::Undo(history_, card_.shown, surface_);
  return true;
}

bool HeadlessDialog::Redo() {
  if (!destroyed_) ::Redo(history_, card_.shown, surface_);
  return true;
}

bool HeadlessDialog::SaveLine(const std::string& path, LineFileError& error) {
  return SaveLineFile(surface_, card_, path, error);
}

bool HeadlessDialog::OpenLine(const std::string& path, LineFileError& error) {
  const int shown = card_.shown;
  if (!OpenLineFile(surface_, card_, path, error)) return false;
  CarryHistory(history_, shown, card_.shown);
  return true;
}

bool HeadlessDialog::ImportEntries(const std::string& path, ImportPlan& plan,
                                   LineFileError& error) {
  EntryList list;
  if (!ReadEntriesFile(path, list, error)) return false;
  TakeTypedEntriesFirst();
  plan = PlanImport(card_, Surface(), list);
  ApplyImport(plan, card_, Surface());
  return true;
}
