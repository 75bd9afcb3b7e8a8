/* The Exotics window's template, in dialog units, read by windres and by C++ alike: its name,
   its controls' identifiers and the geometry of its lines. Every text is the program's to set,
   from the words both programs share. A position's line holds its heading, "All" and a box per
   row 0 to 13; the lines a bet type does not use are hidden. */
#ifndef ODDSMITH_RESOURCES_EXOTICS_H
#define ODDSMITH_RESOURCES_EXOTICS_H

#define EXOTICS_NAME "ODDSMITHEXOTICS"

#define IDC_EXOTICS_TYPE_LABEL 501
#define IDC_EXOTICS_TYPE 502
#define IDC_EXOTICS_BASE_LABEL 503
#define IDC_EXOTICS_BASE 504
#define IDC_EXOTICS_HEADING 510 /* 510-515: each position's heading */
#define IDC_EXOTICS_ALL 520     /* 520-525: each position's "All" */
#define IDC_EXOTICS_HORSE 530   /* 530-613: position m's box for row i at 530 + 14 m + i */
#define IDC_EXOTICS_SUMMARY 620
#define IDC_EXOTICS_LISTED 621
#define IDC_EXOTICS_LIST_HEAD 622 /* 622-625: the list's column headings */
#define IDC_EXOTICS_LIST 626
#define IDC_EXOTICS_COPY 627
/* "Close" is IDOK, the default button. */

#define EXOTICS_WIDTH 420
#define EXOTICS_HEIGHT 262
#define EXOTICS_LINE_TOP 24
#define EXOTICS_LINE_PITCH 13
#define EXOTICS_LINE_Y(m) (EXOTICS_LINE_TOP + EXOTICS_LINE_PITCH * (m))
#define EXOTICS_X_HORSE 104
#define EXOTICS_HORSE_PITCH 22
/* The list's tab stops, in dialog units from its left edge: Chance, Fair, Needs. */
#define EXOTICS_TAB_CHANCE 90
#define EXOTICS_TAB_FAIR 150
#define EXOTICS_TAB_NEEDS 210

#endif
