// The conversions' invariants; see odds_invariants.h.
#include "fuzz/odds_invariants.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "book/book.h"
#include "book/format.h"
#include "fuzz/reference.h"
#include "runner/script.h"

namespace {

constexpr std::size_t HEADER_SIZE = 8;

std::string Quoted(std::string_view text) {
  std::string out;
  AppendQuoted(out, text);
  return out;
}

std::string Number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

class OddsChecker {
 public:
  std::string Run(const std::uint8_t* data, std::size_t size) {
    std::uint8_t header[HEADER_SIZE] = {};
    std::memcpy(header, data, size < HEADER_SIZE ? size : HEADER_SIZE);
    std::uint32_t bits;
    float percentage;
    double value;
    std::memcpy(&bits, header, sizeof bits);
    std::memcpy(&percentage, header, sizeof percentage);
    std::memcpy(&value, header, sizeof value);
    const std::string_view typed =
        size > HEADER_SIZE ? std::string_view(reinterpret_cast<const char*>(data + HEADER_SIZE),
                                              size - HEADER_SIZE)
                           : std::string_view();

    CheckTyped(typed);
    CheckShare(static_cast<int>(bits));
    CheckPercentage(percentage);
    CheckNumber(value);
    if (surface_.StrayAccesses() != 0) Fail("an identifier outside the dialog was used");
    return failure_;
  }

 private:
  void Fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
  }

  // The text as the user typed it: through ParseOddsText and OddsToShare to the bar, and
  // back to the odds and "% to win" texts.
  void CheckTyped(std::string_view typed) {
    const std::string stored(typed.substr(0, typed.find('\0')));
    surface_.Type(IDC_ODDS, typed);
    const double odds = ParseOddsText(surface_, IDC_ODDS);
    const double expected = reference::Odds(stored);
    if (odds != expected) {  // exactly: no text yields NaN or a negative zero
      Fail("odds of " + Quoted(stored) + " read as " + Number(odds) + ", expected " +
           Number(expected));
    }
    if (surface_.Text(IDC_ODDS) != stored || !surface_.Modified(IDC_ODDS)) {
      Fail("reading the odds of " + Quoted(stored) + " changed the field");
    }

    const int share = OddsToShare(odds);
    if (share != reference::Share(odds)) {
      Fail("odds " + Number(odds) + " give share " + std::to_string(share) + ", expected " +
           std::to_string(reference::Share(odds)));
    }
    // Odds to one of 0 and above are a share of the whole book at most, truncated: never
    // above the exact share, and at most one unit below its whole part.
    if (odds >= 0 && std::isfinite(odds)) {
      const long double exact = 10000.0L / (static_cast<long double>(odds) + 1.0L);
      if (share < 0 || share > 10000 || share > exact + 1e-9L || share < std::floor(exact) - 1) {
        Fail("odds " + Number(odds) + " give share " + std::to_string(share));
      }
    }
    CheckShare(share);
    CheckPercentage(static_cast<float>(share) / 100.0f);
  }

  void CheckShare(int share) {
    ShowOdds(surface_, IDC_ODDS + 1, share);
    const std::string_view text = surface_.Text(IDC_ODDS + 1);
    if (text != reference::OddsText(share) || surface_.Modified(IDC_ODDS + 1)) {
      Fail("share " + std::to_string(share) + " shows odds " + Quoted(text) + ", expected " +
           Quoted(reference::OddsText(share)));
      return;
    }
    // The text is within half a tenth of the true odds, capped at 99.
    const long double exact =
        share == 0 ? 99.0L : std::fmin(99.0L, 10000.0L / static_cast<long double>(share) - 1.0L);
    const long double shown = std::strtold(std::string(text).c_str(), nullptr);
    if (std::fabs(shown - exact) > 0.05L + 1e-9L * std::fabs(exact)) {
      Fail("share " + std::to_string(share) + " shows odds " + Quoted(text) + ", far from " +
           Number(static_cast<double>(exact)));
    }
  }

  void CheckPercentage(float percentage) {
    ShowShare(surface_, IDC_WIN_PCT, percentage);
    const std::string_view text = surface_.Text(IDC_WIN_PCT);
    std::string expected;
    if (std::isnan(percentage)) {
      expected = " nan%";
    } else if (std::isinf(percentage)) {
      expected = percentage > 0 ? " inf%" : "-inf%";
    } else {
      expected = reference::Fixed1(percentage, 4) + "%";
    }
    if (text != expected) {
      Fail("percentage " + Number(percentage) + " shows " + Quoted(text) + ", expected " +
           Quoted(expected));
    }
  }

  // The printing itself on any double, into the dialog's 80-byte buffers: cut as snprintf
  // cuts, with the full length returned.
  void CheckNumber(double value) {
    if (!std::isfinite(value)) return;
    for (const int width : {2, 4}) {
      char buffer[TEXT_BUFFER_SIZE];
      const int length = FormatFixed1(buffer, sizeof buffer, value, width);
      const std::string expected = reference::Fixed1(value, width);
      if (length != static_cast<int>(expected.size()) ||
          buffer != expected.substr(0, sizeof buffer - 1)) {
        Fail(Number(value) + " prints as " + Quoted(buffer) + " (" + std::to_string(length) +
             "), expected " + Quoted(expected));
      }
    }
  }

  HeadlessSurface surface_;
  std::string failure_;
};

}  // namespace

std::string CheckOddsInput(const std::uint8_t* data, std::size_t size) {
  OddsChecker checker;
  return checker.Run(data, size);
}
