#!/usr/bin/env bash
# Real mouse and keyboard input into the running oddsmith.exe under Wine. Each session's
# expected state is the event runner's output for the events that input must produce, worked
# out with the focus in mind: at start the focus is in "% Line:", and a click into another
# field or on a box ends the focus of the field that had it, which then notifies the dialog.
# Usage: real-input.sh ODDSMITH_EXE PROBE_EXE RUNNER_EXE ARTIFACT_DIR
set -euo pipefail
exe=$1 probe_exe=$2 runner=$3 artifacts=$4
mkdir -p "$artifacts"
work=$(mktemp -d)
app=""
clip=""
cleanup() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then kill "$app"; fi
  if [ -n "$clip" ]; then kill "$clip" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

probe() { wine "$probe_exe" "$@"; }
fail() {
  echo "real-input: $*" >&2
  exit 1
}
settle() { sleep 0.5; }  # lets the program handle the input; clicks stay apart (no double click)

start() {
  : >"$work/events"
  echo init >>"$work/events"
  wine "$exe" &
  app=$!
  probe wait || fail "the dialog did not come up"
  window=$(xdotool search --name '^Oddsmith$' | head -1)
  [ -n "$window" ] || fail "no X window for the dialog"
}
expect() { printf '%s\n' "$@" >>"$work/events"; }

# The probe's view of the live controls must equal the runner's after the same events.
check() {
  local label=$1
  probe show >"$work/actual"
  { cat "$work/events"; echo show; } | wine "$runner" | tail -n 17 >"$work/expected"
  if ! cmp -s "$work/actual" "$work/expected"; then
    echo "real-input: $label: the dialog differs from the events" >&2
    cat "$work/events" >&2
    diff "$work/expected" "$work/actual" >&2 || true
    exit 1
  fi
  echo "ok: $label"
}

# Waits for the program to end and checks its exit code.
finish() {
  local label=$1 tries=0 status=0
  while kill -0 "$app" 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || fail "$label: the program did not end"
    sleep 0.2
  done
  wait "$app" || status=$?
  app=""
  [ $status -eq 0 ] || fail "$label: exit code $status"
  echo "ok: $label, exit code 0"
}

# Keeps a picture of the dialog once its painting has settled (two shots alike in every pixel).
# An optional screen rectangle (left top right bottom), such as a tooltip's, is taken in too.
screenshot() {
  local left top width height
  read -r left top width height < <(probe window)
  if [ $# -eq 5 ]; then
    local right=$((left + width)) bottom=$((top + height))
    [ "$2" -ge "$left" ] || left=$2
    [ "$3" -ge "$top" ] || top=$3
    [ "$4" -le "$right" ] || right=$4
    [ "$5" -le "$bottom" ] || bottom=$5
    width=$((right - left)) height=$((bottom - top))
  fi
  screenshot_area "$1" "$left" "$top" "$width" "$height"
}

# The same for the screen area left top width height alone.
screenshot_area() {
  local left=$2 top=$3 width=$4 height=$5 tries=0 differing
  shoot() {
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "${width}x${height}+${left}+${top}" +repage "$work/$1"
  }
  shoot last.png
  while [ $tries -lt 20 ]; do
    sleep 0.3
    shoot next.png
    differing=$(compare -metric AE "$work/last.png" "$work/next.png" null: 2>&1 || true)
    mv "$work/next.png" "$work/last.png"
    [ "$differing" != 0 ] || break
    tries=$((tries + 1))
  done
  cp "$work/last.png" "$artifacts/$1"
}

click_at() {
  xdotool mousemove "$1" "$2" click 1
  settle
}
click_on() { click_at $(probe center "$1"); }
keys() {
  # Without a window manager keyboard focus follows the pointer; give it to the dialog.
  xdotool windowfocus "$window"
  xdotool "$@"
  settle
}

# Drags bar's thumb by dx pixels in one move; user32 reports the thumb's value on the press,
# on the move and on the release.
drag() {
  local bar=$1 dx=$2 x y pressed released
  read -r x y pressed < <(probe thumb "$bar")
  read -r _ _ released < <(probe thumb "$bar" "$dx")
  xdotool mousemove "$x" "$y" mousedown 1
  sleep 0.3
  xdotool mousemove "$((x + dx))" "$y"
  sleep 0.3
  xdotool mouseup 1
  settle
  expect "scroll $bar 5 $pressed" "scroll $bar 5 $released" "scroll $bar 4 $released"
  echo "$released"
}

# The tote window as the runner's "tote table" has it after the same events.
check_tote() {
  local label=$1
  probe tote >"$work/actual"
  { cat "$work/events"; echo "tote table"; } | wine "$runner" >"$work/expected"
  if ! cmp -s "$work/actual" "$work/expected"; then
    echo "real-input: $label: the tote window differs from the events" >&2
    diff "$work/expected" "$work/actual" >&2 || true
    exit 1
  fi
  echo "ok: $label"
}
tote_keys() {
  xdotool windowfocus "$tote"
  xdotool "$@"
  settle
}

# Opens the window called NAME from the system menu by its entry's KEY, its X window then in
# $shown; Enter closes it again (close_window NAME WINDOW), wherever its focus is.
open_window() {
  keys key alt+space
  keys key "$1"
  for _ in $(seq 25); do
    shown=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -1) || true
    [ -z "$shown" ] || return 0
    sleep 0.2
  done
  fail "no X window for the $2 window"
}
close_window() {
  xdotool windowfocus "$2"
  xdotool key Return
  settle
  for _ in $(seq 25); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  fail "Enter left the $1 window open"
}
open_tote() {
  open_window t Tote
  tote=$shown
}
close_tote() { close_window Tote "$tote"; }

# Waits for the box titled $1 over the dialog (a message box, a task dialog), checks that its text
# holds $2, then answers it with the key $3; a picture of it in $4.
answer_box() {
  local asked="" box
  for _ in $(seq 25); do
    asked=$(probe message 2>/dev/null) && break
    sleep 0.2
  done
  case $asked in
  *"$2"*) ;;
  *) fail "the box $1 reads: $asked" ;;
  esac
  box=$(xdotool search --onlyvisible --name "^$1\$" | grep -vx "$window" | head -1)
  [ -n "$box" ] || fail "no X window for the box $1"
  [ -z "${4:-}" ] || screenshot "$4" $(probe popup)
  xdotool windowfocus "$box"
  xdotool key "$3"
  settle
}
# The question a close or an open asks before work is lost, answered with $2 (alt+n: Don't
# Save; Escape: Cancel).
save_question() { answer_box Oddsmith "$1" "$2" "${3:-}"; }

# Session 1: typing odds, a click into another field, a box, an arrow, the trough, Escape.
start
screenshot win-startup.png
check "start-up"

click_on 169 # row 3's odds: "% Line:" loses the focus
keys key End shift+Home type 5-2
keys key Tab # to row 4's odds
expect "leave 144" "type 169 5-2" "leave 169"
check "odds 5-2 typed for horse 3, then Tab"

click_on 133 # row 5's "Scr." box takes the focus from row 4's odds field
expect "leave 170" "click 133"
check "horse 5 scratched"

read -r left top right bottom < <(probe rect 101)
click_at $((right - 4)) $(((top + bottom) / 2)) # the right arrow; bars take no focus
expect "scroll 101 1"
check "right arrow of horse 1"

read -r left top right bottom < <(probe rect 102)
arrow=$((bottom - top))
click_at $((right - arrow - 3)) $(((top + bottom) / 2)) # the trough right of the thumb
expect "scroll 102 3"
check "trough of horse 2"

keys key Escape
finish "Escape"

# Session 2: a line of 900, where bars reach 81000 and a thumb's 16-bit word wraps.
start
# The field has no room for a third typed digit, so the text is put in as the user's own.
probe settext 144 900
click_on 167 # row 1's odds: "% Line:" loses the focus and the book takes the new line
expect "type 144 900" "leave 144"
check "line 900"

dx=1
while :; do
  read -r _ _ value < <(probe thumb 104 $dx)
  [ "$value" -le 65535 ] || break
  dx=$((dx + 1))
done
[ "$value" -lt 81000 ] || fail "no thumb pixel between 65535 and 81000"
released=$(drag 104 $dx)
check "horse 4 dragged to $released, above 65535"

read -r left top right bottom < <(probe rect 104)
read -r x _ _ < <(probe thumb 104)
released=$(drag 104 $((right + 8 - x))) # past the bar's end
[ "$released" -eq 81000 ] || fail "a drag past the end reports $released"
check "horse 4 dragged past the end, to 81000"
screenshot win-line900.png

click_at $(probe closebox)
finish "the close box"

# Session 3: a horse's tip, then "Copy line" from the system menu while an odds field holds a
# typed text. The copy takes the text as leaving the field would, the field keeps the focus,
# and the clipboard gets the table of the book as it then stands. The first hover is the
# pointer's first move over this dialog, which makes its tooltip: the tip still shows.
xdotool mousemove 1000 740
start
xdotool mousemove $(probe center 167)
probe tip >/dev/null || fail "no tip on the first hover over horse 1's odds"
click_on 169 # row 3's odds: "% Line:" loses the focus
keys key End shift+Home type 3
expect "leave 144" "type 169 3"
xdotool mousemove $(probe center 167) # rest on horse 1's odds until its tip shows
tip=$(probe tip) || fail "no tip over horse 1's odds"
screenshot win-tooltip.png $tip
keys key alt+space # the system menu
keys key l         # its "Copy line"
expect "leave 169"
check "Copy line from the system menu takes horse 3's typed odds"
[ "$(probe focus)" = 169 ] || fail "the copy moved the focus from horse 3's odds"
probe copy >"$work/copied"
{ cat "$work/events"; echo copy; } | wine "$runner" >"$work/table"
if ! cmp -s "$work/copied" "$work/table"; then
  echo "real-input: the clipboard differs from the dialog's line" >&2
  diff "$work/table" "$work/copied" >&2 || true
  exit 1
fi
echo "ok: the clipboard holds the line"

keys key Escape
finish "Escape after the copy"

# Session 4: "Save line..." and "Open line..." through the system menu and the file dialogs.
winwork="Z:${work//\//\\}"
# Types path into the file dialog titled title, then Return; waits until it has gone.
file_dialog() {
  local title=$1 path=$2 shot=${3:-} box tries=0
  probe popup >/dev/null || fail "no $title dialog"
  box=$(xdotool search --onlyvisible --name "^$title\$" | head -1)
  [ -n "$box" ] || fail "no X window for the $title dialog"
  xdotool windowfocus "$box"
  xdotool type "$path"
  [ -z "$shot" ] || screenshot "$shot" $(probe popup)
  xdotool key Return
  while xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || fail "the $title dialog stays"
    sleep 0.2
  done
}
# Waits up to 5 s for the dialog to show what file holds.
shows() {
  local tries=0
  until probe show | cmp -s - "$1"; do
    tries=$((tries + 1))
    [ $tries -lt 10 ] || return 1
    sleep 0.5
  done
}

start
click_on 146 # "# of horses:"
keys key End shift+Home type 8
click_on 133 # row 5's "Scr."
expect "leave 144" "type 146 8" "leave 146" "click 133"
open_tote # a tote price, which the file keeps
tote_keys type 7-2
close_tote
expect "tote 1 7-2"
click_on 169 # row 3's odds
keys key End shift+Home type 5-2
keys key alt+space
keys key v # "Save line...": its file dialog takes the focus, so the typed odds are taken first
expect "type 169 5-2" "leave 169"
file_dialog "Save As" "$winwork\\race" win-save.png # no suffix: the dialog adds it
for _ in $(seq 25); do [ -f "$work/race.oddsline" ] && break; sleep 0.2; done
[ -f "$work/race.oddsline" ] || fail "no race.oddsline after the save"
check "saved a field of 8 with horse 5 scratched, horse 3's typed odds taken, a tote price"
probe show >"$work/saved"
{ cat "$work/events"; echo "save $winwork\\headless.oddsline"; } | wine "$runner" >/dev/null
cmp -s "$work/race.oddsline" "$work/headless.oddsline" ||
  fail "the file differs from the runner's: $(diff "$work/headless.oddsline" "$work/race.oddsline")"
echo "ok: the file holds what the runner saves"

click_on 115 # horse 1's "Lock"
read -r left top right bottom < <(probe rect 102)
click_at $((right - 4)) $(((top + bottom) / 2)) # horse 2's right arrow
! probe show | cmp -s - "$work/saved" || fail "nothing changed after the save"
keys key alt+space
keys key p # "Open line...", which first asks about the changes since the save
save_question "Save changes to race.oddsline?" alt+n
file_dialog Open "$winwork\\race.oddsline"
shows "$work/saved" || fail "after the open: $(probe show | diff "$work/saved" -)"
echo "ok: opened, the dialog shows what it showed when saved"

# A file that cannot be opened: a message box names it, its line and the fault; the dialog
# stays as it was.
sed '17s/^7\t/6\t/' "$work/race.oddsline" >"$work/broken.oddsline"
keys key alt+space
keys key p
file_dialog Open "$winwork\\broken.oddsline"
message=$(probe message) || fail "no message box after a failed open"
expected="Cannot open \"$winwork\\broken.oddsline\": line 17: a horse listed twice or out of order"
[ "$message" = "$expected" ] || fail "the message box says: $message"
screenshot win-open-failed.png $(probe popup)
box=$(xdotool search --onlyvisible --name '^Oddsmith$' | grep -vx "$window" | head -1)
xdotool windowfocus "$box"
xdotool key Return
settle
probe show | cmp -s - "$work/saved" || fail "the failed open changed the dialog"
echo "ok: the failed open is reported and changes nothing"

keys key Escape
finish "Escape after the files"

# Session 5: the tote window from the system menu for a field of 8 with three horses' odds
# typed; the odds still being typed are taken before it opens. Each price typed there changes
# its row at once. Then Copy, the edge's up arrow, Clear and Enter, each by its key.
start
click_on 146 # "# of horses:"
keys key End shift+Home type 8
keys key Tab End shift+Home type 5-2 # to horse 1's odds
keys key Tab End shift+Home type 3
keys key Tab End shift+Home type 9-2
open_tote
expect "leave 144" "type 146 8" "leave 146" "type 167 5-2" "leave 167" "type 168 3" "leave 168" \
  "type 169 9-2" "leave 169"
tote_keys type $'5-1\t4-1\t3-1\t12-1\t8-'
expect "tote 1 5-1" "tote 2 4-1" "tote 3 3-1" "tote 4 12-1" "tote 5 8-"
check_tote "prices typed for horses 1 to 5"
tote_keys key alt+r type 1000 # the day's bankroll: the BET horses' stakes by Kelly's rule
expect "bankroll 1000"
check_tote "a bankroll of \$1000 stakes the BET horses"
read -r left top right bottom < <(probe totewindow)
screenshot_area win-tote.png "$left" "$top" $((right - left)) $((bottom - top))

tote_keys key alt+c
probe copy >"$work/copied"
{ cat "$work/events"; echo "tote table"; } | wine "$runner" >"$work/table"
cmp -s "$work/copied" "$work/table" ||
  fail "the clipboard differs from the tote: $(diff "$work/table" "$work/copied")"
echo "ok: the clipboard holds the tote's table"

tote_keys key alt+e key Up
expect "edge 30"
check_tote "the edge's up arrow steps by 5"
tote_keys key alt+l
expect "tote clear"
check_tote "Clear"

close_tote
check "Enter closed the tote window; the dialog shows the odds taken"
keys key Escape
finish "Escape after the tote"

# Session 7: a card of three named races made in the Card window from the system menu, the
# odds typed before it opens taken first; the title and the tip name them; Next race and
# Previous race move between them; saved and opened again, the file is the runner's.
card_keys() {
  xdotool windowfocus "$card"
  xdotool "$@"
  settle
}
open_card() {
  open_window d Card # "Card..."
  card=$shown
}
close_card() { close_window Card "$card"; }
titled() {
  local title
  title=$(probe title)
  [ "$title" = "$1" ] || fail "the title reads '$title', not '$1'"
  echo "ok: titled '$1'"
}
# Names horse 1 of the race the Card window shows: "Label:" (Alt+B), then Tab to its program
# number, name and morning line.
name_horse() {
  card_keys key alt+b type "$1"
  card_keys key Tab type "$2"
  card_keys key Tab type "$3"
  card_keys key Tab type "$4"
  expect "label $1" "program 1 $2" "name 1 $3" "ml 1 $4"
}

start
click_on 167 # horse 1's odds: "% Line:" loses the focus
keys key End shift+Home type 3
open_card
expect "leave 144" "type 167 3" "leave 167"
card_keys type Belmont # the focus starts in "Track:"
card_keys key Tab type 2026-12-10
expect "track Belmont" "date 2026-12-10"
name_horse Maiden 1A Secretariat 5-2
read -r left top right bottom < <(probe popup)
screenshot_area win-card.png "$left" "$top" $((right - left)) $((bottom - top))
close_card
check "the Card window took horse 1's typed odds first"
titled "Oddsmith — Belmont 2026-12-10 — Race Maiden"
xdotool mousemove $(probe center 167) # rest on horse 1's odds until its tip shows
tip=$(probe tiptext) || fail "no tip over horse 1's odds"
case $tip in
"1A Secretariat · ML 5-2 · Board price "*) echo "ok: the tip reads '$tip'" ;;
*) fail "the tip reads '$tip'" ;;
esac
open_tote # the tote window names horse 1 too
read -r left top right bottom < <(probe totewindow)
screenshot_area win-card-tote.png "$left" "$top" $((right - left)) $((bottom - top))
probe tote | grep -q $'^1\t1A\tSecretariat\t' || fail "the tote window does not name horse 1"
close_tote

labels=("" "" Claimer Stakes)
for race in 2 3; do
  keys key alt+space
  keys key e # "Next race"
  expect "race $race"
  check "Next race shows race $race as the dialog starts"
  open_card
  name_horse "${labels[$race]}" "${race}B" "Horse of race $race" "$race-1"
  close_card
done
titled "Oddsmith — Belmont 2026-12-10 — Race Stakes"
keys key alt+space
keys key u # "Previous race"
expect "race 2"
check "Previous race shows race 2 as it was left"
screenshot win-card-main.png

keys key alt+space
keys key v
file_dialog "Save As" "$winwork\\card"
for _ in $(seq 25); do [ -f "$work/card.oddsline" ] && break; sleep 0.2; done
[ -f "$work/card.oddsline" ] || fail "no card.oddsline after the save"
{ cat "$work/events"; echo "save $winwork\\headless.oddsline"; } | wine "$runner" >/dev/null
cmp -s "$work/card.oddsline" "$work/headless.oddsline" ||
  fail "the card differs from the runner's: $(diff "$work/headless.oddsline" "$work/card.oddsline")"
echo "ok: the card file holds what the runner saves"
cp "$work/card.oddsline" "$artifacts/win-card.oddsline"

keys key alt+space
keys key u # to race 1, then the file brings race 2 back
expect "race 1"
keys key alt+space
keys key p
file_dialog Open "$winwork\\card.oddsline"
expect "open $winwork\\card.oddsline"
sleep 1
check "the opened card shows race 2"
titled "Oddsmith — card.oddsline — Belmont 2026-12-10 — Race Claimer"
keys key Escape
finish "Escape after the card"

# Session 8: entries imported from the system menu, "Import entries..." and its file dialog;
# the question the import asks, Escape cancelling and Enter importing: a three-race single-file
# card, then a race saved from a spreadsheet as CSV. Then, at post time, a
# table a spreadsheet put on the clipboard, with a late scratch, pasted by "Paste entries"
# (the menu's last entry): the race keeps its line and takes the scratch, as the runner's
# import of the same table does.
# The import's question, checked to say $1, answered with the key $2.
answer() { answer_box "Import entries" "$1" "$2" "${3:-}"; }
# "Import entries..." and the file named in its file dialog.
import_file() {
  keys key alt+space
  keys key i
  probe popup >/dev/null || fail "no file dialog for the import"
  box=$(xdotool search --onlyvisible --name '^Import entries$' | head -1)
  [ -n "$box" ] || fail "no X window for the import's file dialog"
  xdotool windowfocus "$box"
  xdotool type "$1"
  xdotool key Return
}
cp "$(dirname "$0")/../golden/import.files/three-races.csv" \
  "$(dirname "$0")/../golden/import.files/table.csv" "$work/"
printf 'Race\tPgm\tHorse Name\tM/L\tScratched\r\n1\t1\tHarbor Light\t5-2\t\r\n1\t2\tQuiet Storm\t4-1\t\r\n1\t3\tMiss Penny\t6-1\tY\r\n1\t4\tCopper Kettle\t3-1\t\r\n1\t5\tFog Bank\t10-1\tY\r\n1\t6\tLate Edition\t15-1\t\r\n' >"$work/post-time.txt"

start
import_file "$winwork\\three-races.csv"
answer "Race 1: 6 entries placed, 1 scratched." Escape
check "Cancel imports nothing"
import_file "$winwork\\three-races.csv"
answer "Race 3: 5 entries placed." Return win-import-question.png
expect "import $winwork\\three-races.csv"
check "the three races imported, race 1 shown"
titled "Oddsmith — RVD 2026-12-09 — Race 1"
import_file "$winwork\\table.csv" # race 4, as a spreadsheet saves it as CSV
answer "Race 4: 5 entries placed, 1 scratched." Return
expect "import $winwork\\table.csv"
check "the spreadsheet's race 4 imported, race 1 still shown"
# In the foreground, so that it can be stopped, serving the clipboard until then.
xclip -quiet -selection clipboard <"$work/post-time.txt" >/dev/null 2>&1 &
clip=$!
keys key alt+space
keys key Up Up Up Up Return # "Paste entries", above Undo, Redo and Print
answer "Race 1: keeps its line; 6 entries matched, 0 placed in free rows, 1 scratched." Return
expect "import $winwork\\post-time.txt"
check "the pasted post-time table scratched horse 5 and kept the line"
screenshot win-import.png
# The imported card was never saved: Escape asks first, and Don't Save closes.
keys key Escape
save_question "Save changes to Untitled?" alt+n
finish "Escape after the import"

# Session 9: Tab and Shift+Tab into fields that the focus change's rebalance rewrote: each
# selects its whole text, so what is typed replaces it ("8" over "14" makes 8 horses). Then
# Save to a file, a change, Undo from the system menu, the change again, and the close
# question: Cancel keeps the window, Don't Save closes.
start
keys key Tab type 8
keys key Tab type 5-2
keys key Tab type 3
keys key shift+Tab type 2
keys key Tab
expect "leave 144" "type 146 8" "leave 146" "type 167 5-2" "leave 167" "type 168 3" "leave 168" \
  "type 167 2" "leave 167"
check "Tab and Shift+Tab select the rewritten fields: 8 horses, 2-1 and 3-1"
[ "$(probe focus)" = 168 ] || fail "the focus is on $(probe focus), not horse 2's odds"
keys key alt+space
keys key v # "Save line": no file yet, so its dialog asks for one
file_dialog "Save As" "$winwork\\tab"
titled "Oddsmith — tab.oddsline"
click_on 117 # horse 3's "Lock": a change since the save
expect "leave 168" "click 117"
titled "Oddsmith — tab.oddsline*"
screenshot win-unsaved-title.png
keys key alt+space
keys key o # "Undo": the click taken back, the card as saved
expect "undo"
check "Undo in the system menu takes the click back"
titled "Oddsmith — tab.oddsline"
click_on 117
expect "click 117"
keys key Escape
save_question "Save changes to tab.oddsline?" Escape win-close-question.png
kill -0 "$app" 2>/dev/null || fail "Cancel closed the program"
check "Cancel keeps the window as it was"
keys key Escape
save_question "Save changes to tab.oddsline?" alt+n
finish "Don't Save after the question"

# Session 10: "Print..." from the system menu, its last entry, on a machine without a printer:
# the odds being typed are taken first, then a message box over the dialog says why nothing is
# printed, and the dialog stays as it was.
start
click_on 167
keys key End shift+Home type 4
expect "leave 144" "type 167 4"
keys key alt+space
keys key Up # the menu's last entry
keys key Return
expect "leave 167"
answer_box Oddsmith "The sheet could not be printed: no printer is installed." Return \
  win-print-no-printer.png
check "Print takes horse 1's typed odds and, without a printer, changes nothing"
keys key Escape # one race never saved, nothing named: no question
finish "Escape after the print"

# Session 11: "Exotics...", beside "Tote..." in the system menu, over a card of three races held
# by Next race: a Pick 3 chosen by keys alone (the arrows choose the bet type, Tab and Space the
# boxes), the summary read from the window, and Copy, whose ticket is the runner's.
start
for race in 2 3; do
  keys key alt+space
  keys key e # "Next race"
  expect "race $race"
done
for race in 2 1; do
  keys key alt+space
  keys key u # "Previous race"
  expect "race $race"
done
check "races 2 and 3 held, race 1 shown"
keys key alt+space
for _ in $(seq 9); do keys key Up; done # from "Print..." up past Card to "Exotics..."
keys key Return
for _ in $(seq 25); do
  exotics=$(xdotool search --onlyvisible --name '^Exotics$' 2>/dev/null | head -1) || true
  [ -z "$exotics" ] || break
  sleep 0.2
done
[ -n "$exotics" ] || fail "no X window for the Exotics window"
exotics_keys() {
  xdotool windowfocus "$exotics"
  xdotool "$@"
  settle
}
exotics_keys key Down Down Down # Exacta, Trifecta, Superfecta, Pick 3
exotics_keys key Tab Tab Tab space Tab space # the base, leg 1's All, horses 1 and 2
for _ in $(seq 14); do exotics_keys key Tab; done # horses 3 to 14, leg 2's All, its horse 1
exotics_keys key space
for _ in $(seq 14); do exotics_keys key Tab; done # its horses 2 to 14, leg 3's All
exotics_keys key space
summary=$(probe exotics)
[ "$summary" = "28 combinations · Cost \$56.00 · Chance 1.020% · Fair \$5488.00 · Needs \$6860.00" ] ||
  fail "the Exotics window's summary reads '$summary'"
echo "ok: the Pick 3's summary reads '$summary'"
read -r left top right bottom < <(probe popup)
screenshot_area win-exotics.png "$left" "$top" $((right - left)) $((bottom - top))
exotics_keys key alt+c
probe copy >"$work/copied"
{ cat "$work/events"; echo "ticket pick3 200 1,2/1/$(seq -s, 1 14)"; } | wine "$runner" \
  >"$work/ticket"
cmp -s "$work/copied" "$work/ticket" ||
  fail "the clipboard differs from the ticket: $(diff "$work/ticket" "$work/copied" | head)"
echo "ok: the clipboard holds the runner's ticket"
close_window Exotics "$exotics"
check "the Exotics window changed nothing"
keys key Escape # the races held are the card's work: the question, and Don't Save
save_question "Save changes to Untitled?" alt+n
finish "Don't Save after the Exotics window"
