// The tote window of the Qt program: the line against the board's prices, horse by horse, over
// the main dialog. It reads the dialog's controls and writes only the tote it is given.
#ifndef ODDSMITH_DIALOG_QT_TOTE_DIALOG_H
#define ODDSMITH_DIALOG_QT_TOTE_DIALOG_H

#include <QDialog>
#include <QList>

#include "dialog/surface.h"
#include "tote/tote.h"

class QLabel;
class QLineEdit;
class QSpinBox;

// One row per horse in main's book when the window is made, then the required edge, the race's
// summary, the day's bankroll and Kelly fraction, and the buttons "Clear", "Copy" and "Close".
// Each edit of a price, the edge, the bankroll or the fraction goes into tote or money at once
// and rewrites every figure and stake. Enter and Escape close the window wherever the
// focus is.
class ToteDialog final : public QDialog {
  Q_OBJECT

 public:
  // REQUIRES: main, tote and money, and horses (the rows' identities, ROW_COUNT of them, or
  // nullptr) outlive the window.
  ToteDialog(DialogSurface& main, ToteState& tote, const HorseIdentity* horses, ToteMoney& money,
             QWidget* parent = nullptr);

  // Rewrites every figure from main's controls and the tote as they stand now.
  void Refresh();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // A horse's row: its dialog row (0..13), its price field and its figures.
  struct Row {
    int row;
    QLineEdit* price;
    QLabel* fair;
    QLabel* fairOdds;
    QLabel* needs;
    QLabel* overlay;
    QLabel* status;
    QLabel* pays;
    QLabel* ev;
    QLabel* stake;
  };

  void MakeRows();
  void MakeFooter();
  // Gives every figure room for the widest it can be, and each price field for a long price, in
  // the window's font; again whenever the font or the style changes.
  void Fit();
  void Clear();
  void Copy();

  DialogSurface& m_main;
  ToteState& m_tote;
  const HorseIdentity* m_horses;
  ToteMoney& m_money;
  QList<Row> m_rows;
  QSpinBox* m_edge = nullptr;
  QLabel* m_book = nullptr;
  QLabel* m_take = nullptr;
  QLabel* m_bets = nullptr;
  QLineEdit* m_bankroll = nullptr;
  QSpinBox* m_kelly = nullptr;
};

#endif
