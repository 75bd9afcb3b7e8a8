/* The tote window's template, in dialog units, read by windres and by C++ alike: its name, its
   controls' identifiers and the geometry of its rows. Every text is the program's to set, from
   the words both programs share. Each 14-slot column is its base plus the slot 0 to 13. */
#ifndef ODDSMITH_RESOURCES_TOTE_H
#define ODDSMITH_RESOURCES_TOTE_H

#define TOTE_NAME "ODDSMITHTOTE"

#define IDC_TOTE_HEAD 201      /* 201-209: the column headings */
#define IDC_TOTE_FAIR 211      /* 211-224: each slot's fair chance */
#define IDC_TOTE_FAIR_ODDS 225 /* 225-238 */
#define IDC_TOTE_NEEDS 239     /* 239-252 */
#define IDC_TOTE_NUMBER 253    /* 253-266: the horse's number, the price field's label */
#define IDC_TOTE_PRICE 267     /* 267-280: the tote price fields */
#define IDC_TOTE_OVERLAY 281   /* 281-294 */
#define IDC_TOTE_STATUS 295    /* 295-308 */
#define IDC_TOTE_PAYS 309      /* 309-322 */
#define IDC_TOTE_EV 323        /* 323-336 */
#define IDC_TOTE_EDGE_LABEL 341
#define IDC_TOTE_EDGE 342
#define IDC_TOTE_EDGE_SPIN 343
#define IDC_TOTE_EDGE_SUFFIX 344
#define IDC_TOTE_BOOK_LABEL 345
#define IDC_TOTE_BOOK 346
#define IDC_TOTE_TAKE_LABEL 347
#define IDC_TOTE_TAKE 348
#define IDC_TOTE_BETS_LABEL 349
#define IDC_TOTE_BETS 350
#define IDC_TOTE_CLEAR 351
#define IDC_TOTE_COPY 352
/* "Close" is IDOK, the default button. */

/* The controls from IDC_TOTE_BELOW_FIRST to IDC_TOTE_BELOW_LAST (and "Close") stand under the
   rows; they move up by a row's pitch for each slot left empty. */
#define IDC_TOTE_BELOW_FIRST IDC_TOTE_EDGE_LABEL
#define IDC_TOTE_BELOW_LAST IDC_TOTE_COPY

#define TOTE_WIDTH 368
#define TOTE_HEIGHT 245
#define TOTE_ROW_TOP 18 /* slot 0's price field */
#define TOTE_ROW_PITCH 13
#define TOTE_ROW_Y(slot) (TOTE_ROW_TOP + TOTE_ROW_PITCH * (slot))

#endif
