// The book calculator. Shares are integers in 1/10000 of the book; percentages are single
// precision and odds double, exactly as the figures the user sees are defined.
#include "book/book.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "book/format.h"

double ParseOddsText(DialogSurface& surface, int oddsId) {
  const float whole = static_cast<float>(surface.ReadUnsigned(oddsId).value);
  int den = 1;
  enum { PLAIN, RATIO, DECIMAL } state = PLAIN;

  char text[ODDS_TEXT_MAX + 1];
  const int length = surface.ReadText(oddsId, text, sizeof text);
  for (int at = 0; at < length; ++at) {
    // Bytes from 0x80 up count as negative codes, as the denominator and tenths rules take
    // every byte's distance from "0" as a signed 8-bit character.
    const int code = static_cast<signed char>(text[at]);  // NOLINT(bugprone-signed-char-misuse)
    if (code == '/' || code == '-') {
      state = RATIO;
    } else if (code == '.') {
      state = DECIMAL;
    } else if (state == RATIO) {
      den = code - '0';
      if (den < 1) den = 1;
      state = PLAIN;
    } else if (state == DECIMAL) {
      return static_cast<float>((code - '0') * 0.1 + whole);
    }
  }
  return static_cast<double>(whole) / den;
}

int OddsToShare(double odds) {
  const double share = 1.0 / (odds + 1.0) * SHARE_SCALE;
  if (std::isnan(share)) return 0;
  if (share >= 2147483648.0) return INT_MAX;
  if (share <= -2147483649.0) return INT_MIN;
  return static_cast<int>(share);
}

int FormatOddsText(char (&text)[TEXT_BUFFER_SIZE], int share) {
  const double x = share / static_cast<double>(SHARE_SCALE);
  double odds = share == 0 ? ODDS_CAP : 1.0 / x - 1.0;
  if (odds > ODDS_CAP) odds = ODDS_CAP;
  return FormatFixed1(text, sizeof text, odds, 2);
}

int FormatShareText(char (&text)[TEXT_BUFFER_SIZE], float percentage) {
  // One byte is kept back for the percent sign; a float prints in far fewer than 78 anyway.
  FormatFixed1(text, sizeof text - 1, percentage, 4);
  const std::size_t length = std::strlen(text);
  text[length] = '%';
  text[length + 1] = '\0';
  return static_cast<int>(length + 1);
}

void ShowOdds(DialogSurface& surface, int oddsId, int share) {
  char text[TEXT_BUFFER_SIZE];
  FormatOddsText(text, share);
  surface.WriteText(oddsId, text);
}

void ShowShare(DialogSurface& surface, int winId, float percentage) {
  char text[TEXT_BUFFER_SIZE];
  FormatShareText(text, percentage);
  surface.WriteText(winId, text);
}

namespace {

float Percentage(int share) { return static_cast<float>(share) / 100.0f; }

}  // namespace

int ReadLinePercent(DialogSurface& surface) {
  // The unsigned read is taken as signed, so a huge number is out of range like any other.
  const int line = static_cast<int>(surface.ReadUnsigned(IDC_LINE).value);
  return line <= 0 || line > LINE_MAX ? LINE_DEFAULT : line;
}

int ReadFieldSize(DialogSurface& surface) {
  const UnsignedRead horses = surface.ReadUnsigned(IDC_HORSES);
  const int n = static_cast<int>(horses.value);
  return n <= 0 || n > ROW_COUNT || !horses.ok ? ROW_COUNT : n;
}

void RebalanceBook(DialogSurface& surface, int pin) {
  char text[TEXT_BUFFER_SIZE];

  const int line = ReadLinePercent(surface);
  FormatInt(text, sizeof text, line, 3);
  surface.WriteText(IDC_LINE, text);

  const int n = ReadFieldSize(surface);
  FormatInt(text, sizeof text, n, 2);
  surface.WriteText(IDC_HORSES, text);

  const int max = BarMaximum(line);
  int remaining = line * 100;
  int lockedSum = 0;
  int divisor = 0;
  int delta = 0;
  float pct[ROW_COUNT];

  // pin is compared as a horse number so that no value of it can overflow.
  for (int i = 0; i < n; ++i) {
    pct[i] = -1;
    if (surface.IsChecked(IDC_SCRATCH + i)) continue;
    surface.SetBarRange(IDC_POOL_BAR + i, 0, max);
    pct[i] = Percentage(surface.BarPos(IDC_POOL_BAR + i));
    if (surface.IsChecked(IDC_LOCK + i)) {
      lockedSum += surface.BarPos(IDC_POOL_BAR + i);
    } else {
      remaining -= surface.BarPos(IDC_POOL_BAR + i);
      if (i + 1 != pin && (pct[i] > 0 || pin == PIN_NONE)) ++divisor;
    }
  }

  if (divisor != 0) delta = (remaining - lockedSum) / divisor;

  for (int i = 0; i < n; ++i) {
    if (!surface.IsChecked(IDC_LOCK + i) && pct[i] >= 0 && i + 1 != pin) {
      surface.SetBarPos(IDC_POOL_BAR + i, surface.BarPos(IDC_POOL_BAR + i) + delta);
    }
    if (pct[i] < 0) continue;
    const int share = surface.BarPos(IDC_POOL_BAR + i);
    ShowShare(surface, IDC_WIN_PCT + i, Percentage(share));
    ShowOdds(surface, IDC_ODDS + i, share);
  }
}

void SetFieldSize(DialogSurface& surface, int n) {
  if (n <= 0 || n > ROW_COUNT) return;
  for (int i = 0; i < n; ++i) {
    surface.SetChecked(IDC_SCRATCH + i, false);
    surface.SetChecked(IDC_LOCK + i, false);
    surface.EnableBarArrows(IDC_POOL_BAR + i, true);
  }
  for (int i = n; i < ROW_COUNT; ++i) {
    surface.SetChecked(IDC_SCRATCH + i, true);
    surface.EnableBarArrows(IDC_POOL_BAR + i, false);
    surface.WriteText(IDC_ODDS + i, "");
    surface.WriteText(IDC_WIN_PCT + i, "");
    surface.SetChecked(IDC_LOCK + i, false);
  }
  RebalanceBook(surface, PIN_NONE);
}

void ToggleScratch(DialogSurface& surface, int i, bool reinstated) {
  if (i < 0 || i >= ROW_COUNT) return;
  if (reinstated) {
    surface.EnableBarArrows(IDC_POOL_BAR + i, true);
  } else {
    // Always applies, whatever the "Lock" boxes say: a horse that does not run holds no share.
    surface.EnableBarArrows(IDC_POOL_BAR + i, false);
    surface.WriteText(IDC_ODDS + i, "");
    surface.WriteText(IDC_WIN_PCT + i, "");
  }
  RebalanceBook(surface, PIN_NONE);
}
