// Turns each message into exactly one call of the book logic. Keeps no state of its own.
#include "dialog/dispatch.h"

#include <climits>

#include "book/book.h"

namespace {

// The new position of bar barId for a scroll code; false for codes that move nothing.
bool NewBarPosition(DialogWindow& dialog, int barId, unsigned code, unsigned word, int& pos) {
  const long long current = dialog.Surface().BarPos(barId);
  long long next;
  switch (code) {
    case SCROLL_LINELEFT: next = current - 10; break;
    case SCROLL_LINERIGHT: next = current + 10; break;
    case SCROLL_PAGELEFT: next = current - 100; break;
    case SCROLL_PAGERIGHT: next = current + 100; break;
    case SCROLL_THUMBPOSITION:
    case SCROLL_THUMBTRACK: next = dialog.ThumbPosition(barId, word); break;
    default: return false;
  }
  // The bar bounds the position to its range anyway; this only keeps it within int.
  pos = next < INT_MIN ? INT_MIN : next > INT_MAX ? INT_MAX : static_cast<int>(next);
  return true;
}

void EnterOdds(DialogSurface& surface, int oddsId) {
  const int row = oddsId - IDC_ODDS;
  if (surface.IsChecked(IDC_SCRATCH + row)) return;
  if (!surface.IsModified(oddsId)) return;  // the program's own text
  const int share = OddsToShare(ParseOddsText(surface, oddsId));
  surface.SetBarPos(IDC_POOL_BAR + row, share);
  RebalanceBook(surface, row + 1);
  // Locked only after the rebalance, which treats the horse as free but pinned.
  surface.SetChecked(IDC_LOCK + row, true);
}

bool OnCommand(DialogWindow& dialog, unsigned id, unsigned code) {
  DialogSurface& surface = dialog.Surface();
  const int control = static_cast<int>(id);
  if (id == CMD_CANCEL) {
    dialog.EndDialog(1);
    return true;
  }
  if (code == NOTIFY_KILLFOCUS) {
    if (control == IDC_LINE) {
      RebalanceBook(surface, PIN_NONE);
    } else if (control == IDC_HORSES) {
      if (surface.IsModified(IDC_HORSES)) {
        SetFieldSize(surface, static_cast<int>(surface.ReadUnsigned(IDC_HORSES).value));
      }
    } else if (IsOddsField(control)) {
      EnterOdds(surface, control);
    }
  } else if (code == NOTIFY_CLICKED && InColumn(control, IDC_SCRATCH)) {
    ToggleScratch(surface, control - IDC_SCRATCH, !surface.IsChecked(control));
  }
  return false;
}

}  // namespace

void TakeTypedEntries(DialogWindow& dialog) {
  const auto take = [&dialog](int id) {
    if (dialog.Surface().IsModified(id)) {
      MainDialogProc(dialog, MSG_COMMAND, MakeCommandParam(id, NOTIFY_KILLFOCUS), 0);
    }
  };
  take(IDC_LINE);
  take(IDC_HORSES);
  for (int i = 0; i < ROW_COUNT; ++i) take(IDC_ODDS + i);
}

bool MainDialogProc(DialogWindow& dialog, unsigned message, WordParam wParam, LongParam lParam) {
  switch (message) {
    case MSG_INITDIALOG:
      // The window is put on the screen and made active now, before the book starts (hidden
      // first, so that the show is one whatever the window was): the Qt window has no other
      // show. Its controls first paint only once this message has been handled, by which time
      // the rebalance below has written every figure, so none shows without its figure.
      dialog.ShowDialog(false);
      dialog.ShowDialog(true);
      SetFieldSize(dialog.Surface(), ROW_COUNT);
      return true;
    case MSG_HSCROLL: {
      const int barId = dialog.ControlId(lParam);
      if (!IsPoolBar(barId)) return false;
      int pos = 0;
      if (NewBarPosition(dialog, barId, LowWord(wParam), HighWord(wParam), pos)) {
        dialog.Surface().SetBarPos(barId, pos);
        RebalanceBook(dialog.Surface(), barId);
      }
      return true;
    }
    case MSG_DESTROY: dialog.PostQuit(0); return false;
    case MSG_COMMAND: return OnCommand(dialog, LowWord(wParam), HighWord(wParam));
    default: return false;
  }
}
