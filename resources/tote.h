/* The tote window's template, in dialog units, read by windres and by C++ alike: its name, its
   controls' identifiers and the geometry of its rows. Every text is the program's to set, from
   the words both programs share. Each 14-slot column is its base plus the slot 0 to 13. */
#ifndef ODDSMITH_RESOURCES_TOTE_H
#define ODDSMITH_RESOURCES_TOTE_H

#define TOTE_NAME "ODDSMITHTOTE"

#define IDC_TOTE_HEAD 201      /* 201-212: the column headings */
#define IDC_TOTE_PROGRAM 213   /* 213-226: each slot's program number */
#define IDC_TOTE_NAME 227      /* 227-240: its name, cut short with an ellipsis, whole in a tip */
#define IDC_TOTE_FAIR 241      /* 241-254: each slot's fair chance */
#define IDC_TOTE_FAIR_ODDS 255 /* 255-268 */
#define IDC_TOTE_NEEDS 269     /* 269-282 */
#define IDC_TOTE_NUMBER 283    /* 283-296: the horse's number, the price field's label */
#define IDC_TOTE_PRICE 297     /* 297-310: the tote price fields */
#define IDC_TOTE_OVERLAY 311   /* 311-324 */
#define IDC_TOTE_STATUS 325    /* 325-338 */
#define IDC_TOTE_PAYS 339      /* 339-352 */
#define IDC_TOTE_EV 353        /* 353-366 */
#define IDC_TOTE_EDGE_LABEL 371
#define IDC_TOTE_EDGE 372
#define IDC_TOTE_EDGE_SPIN 373
#define IDC_TOTE_EDGE_SUFFIX 374
#define IDC_TOTE_BOOK_LABEL 375
#define IDC_TOTE_BOOK 376
#define IDC_TOTE_TAKE_LABEL 377
#define IDC_TOTE_TAKE 378
#define IDC_TOTE_BETS_LABEL 379
#define IDC_TOTE_BETS 380
#define IDC_TOTE_CLEAR 381
#define IDC_TOTE_COPY 382
#define IDC_TOTE_STAKE 384 /* 384-397: each slot's stake */
/* The day's money, under the edge: the bankroll and the Kelly fraction. */
#define IDC_TOTE_BANKROLL_LABEL 398
#define IDC_TOTE_BANKROLL 399
#define IDC_TOTE_KELLY_LABEL 400
#define IDC_TOTE_KELLY 401
#define IDC_TOTE_KELLY_SPIN 402
#define IDC_TOTE_KELLY_SUFFIX 403
/* "Close" is IDOK, the default button. */

/* The controls from IDC_TOTE_BELOW_FIRST to IDC_TOTE_BELOW_LAST, from IDC_TOTE_MONEY_FIRST to
   IDC_TOTE_MONEY_LAST and "Close" stand under the rows; they move up by a row's pitch for each
   slot left empty. */
#define IDC_TOTE_BELOW_FIRST IDC_TOTE_EDGE_LABEL
#define IDC_TOTE_BELOW_LAST IDC_TOTE_COPY
#define IDC_TOTE_MONEY_FIRST IDC_TOTE_BANKROLL_LABEL
#define IDC_TOTE_MONEY_LAST IDC_TOTE_KELLY_SUFFIX

#define TOTE_WIDTH 536
#define TOTE_HEIGHT 245
#define TOTE_ROW_TOP 18 /* slot 0's price field */
#define TOTE_ROW_PITCH 13
#define TOTE_ROW_Y(slot) (TOTE_ROW_TOP + TOTE_ROW_PITCH * (slot))

#endif
