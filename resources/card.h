/* The Card window's template, in dialog units, read by windres and by C++ alike: its name, its
   controls' identifiers and the geometry of its horse rows. Every text is the program's to set,
   from the words both programs share. Each 14-row column is its base plus the row 0 to 13. */
#ifndef ODDSMITH_RESOURCES_CARD_H
#define ODDSMITH_RESOURCES_CARD_H

#define CARD_NAME "ODDSMITHCARD"

#define IDC_CARD_TRACK_LABEL 401
#define IDC_CARD_TRACK 402
#define IDC_CARD_DATE_LABEL 403
#define IDC_CARD_DATE 404
#define IDC_CARD_LIST 405 /* the races the card holds */
#define IDC_CARD_ADD 406
#define IDC_CARD_REMOVE 407
#define IDC_CARD_SHOW 408
#define IDC_CARD_LABEL_LABEL 409
#define IDC_CARD_LABEL 410   /* the selected race's label */
#define IDC_CARD_HEAD 411    /* 411-413: "Program", "Name", "ML" */
#define IDC_CARD_IMPORT 415  /* "Import entries..." */
#define IDC_CARD_NUMBER 421  /* 421-434: the rows' numbers */
#define IDC_CARD_PROGRAM 441 /* 441-454 */
#define IDC_CARD_NAME 461    /* 461-474 */
#define IDC_CARD_ML 481      /* 481-494 */
/* "Close" is IDOK, the default button. */

#define CARD_WIDTH 478
#define CARD_HEIGHT 246
#define CARD_ROW_TOP 36 /* row 0's fields */
#define CARD_ROW_PITCH 13
#define CARD_ROW_Y(row) (CARD_ROW_TOP + CARD_ROW_PITCH * (row))

#endif
