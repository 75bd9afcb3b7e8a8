/* Control identifiers of the main dialog, read by windres and by C++ alike, so they are plain
   #defines. Each 14-row column is its base plus the row index 0 to 13; the logic moves between
   columns by the fixed differences between these bases. */
#ifndef ODDSMITH_RESOURCES_IDS_H
#define ODDSMITH_RESOURCES_IDS_H

#define IDC_POOL_BAR 101   /* 101-114: the pool bars */
#define IDC_LOCK 115       /* 115-128: the "Lock" boxes */
#define IDC_SCRATCH 129    /* 129-142: the "Scr." boxes */
#define IDC_LINE_LABEL 143 /* "% Line:" */
#define IDC_LINE 144       /* the line field */
#define IDC_HORSES_LABEL 145
#define IDC_HORSES 146 /* the number-of-horses field */
#define IDC_RACE_INFO 147
#define IDC_ROW_HEAD 148
#define IDC_ROW_NUMBER 149 /* 149-162: the row numbers "1" to "14" */
#define IDC_SCR_HEAD 163
#define IDC_LOCK_HEAD 164
#define IDC_ODDS_HEAD 165
#define IDC_WIN_HEAD 166
#define IDC_ODDS 167    /* 167-180: the odds fields */
#define IDC_WIN_PCT 181 /* 181-194: the "% to win" texts */
#define IDC_POOLS_HEAD 195

#define IDI_ODDSMITH 1 /* the program's icon */

#define IDC_FIRST IDC_POOL_BAR /* the 95 controls hold the identifiers 101 to 195 */
#define IDC_LAST IDC_POOLS_HEAD

/* "Copy line", "Open line...", "Save line", "Tote...", "Exotics...", "Card...", "Next race",
   "Previous race", the import's entries, "Save line as...", "Undo", "Redo" and "Print..." in the
   dialog's system menu. A system command leaves its low four bits to the system and keeps 0xF000
   and up for its own commands. */
#define IDM_COPY_LINE 0x0400
#define IDM_OPEN_LINE 0x0410
#define IDM_SAVE_LINE 0x0420
#define IDM_TOTE 0x0430
#define IDM_CARD 0x0440
#define IDM_NEXT_RACE 0x0450
#define IDM_PREVIOUS_RACE 0x0460
#define IDM_IMPORT_ENTRIES 0x0470
#define IDM_PASTE_ENTRIES 0x0480
#define IDM_SAVE_LINE_AS 0x0490
#define IDM_UNDO 0x04A0
#define IDM_REDO 0x04B0
#define IDM_PRINT 0x04C0
#define IDM_EXOTICS 0x04D0

#endif
