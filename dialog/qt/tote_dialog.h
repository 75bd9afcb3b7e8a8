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
// summary and the buttons "Clear", "Copy" and "Close". Each edit of a price or of the edge goes
// into tote at once and rewrites every figure. Enter and Escape close the window wherever the
// focus is.
class ToteDialog final : public QDialog {
  Q_OBJECT

 public:
  // REQUIRES: main and tote, and horses (the rows' identities, ROW_COUNT of them, or nullptr)
  // outlive the window.
  ToteDialog(DialogSurface& main, ToteState& tote, const HorseIdentity* horses,
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
  QList<Row> m_rows;
  QSpinBox* m_edge = nullptr;
  QLabel* m_book = nullptr;
  QLabel* m_take = nullptr;
  QLabel* m_bets = nullptr;
};

#endif
