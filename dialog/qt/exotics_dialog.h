// The Exotics window of the Qt program: an exotic ticket on the shown race, or a Pick N from it
// over the races after it, priced from the line as the user chooses its horses.
#ifndef ODDSMITH_DIALOG_QT_EXOTICS_DIALOG_H
#define ODDSMITH_DIALOG_QT_EXOTICS_DIALOG_H

#include <QDialog>
#include <QList>

#include "card/card.h"
#include "dialog/surface.h"
#include "exotics/exotics.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

// The bet type and the base, then a line of check boxes per position (or leg): "All" and one
// per horse of the field, a scratched horse's disabled; the ticket's summary and its most likely
// combinations; "Copy" and "Close". Every choice prices the ticket again at once. Enter and
// Escape close the window wherever the focus is.
class ExoticsDialog final : public QDialog {
  Q_OBJECT

 public:
  // REQUIRES: card and surface (the main dialog, showing the card's shown race) outlive the
  // window, which changes neither.
  ExoticsDialog(Card& card, DialogSurface& surface, QWidget* parent = nullptr);

  // What the window shows of the ticket: the summary, or why it cannot be bet.
  QString Summary() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Position {
    QLabel* heading;
    QCheckBox* all;
    QCheckBox* horses[ROW_COUNT];
  };

  void MakeWindow();
  // The lines of check boxes for the bet type chosen: names, horses, what may be chosen.
  void ShowPositions();
  void Price();
  void Copy();
  Ticket Chosen() const;

  Card& m_card;
  DialogSurface& m_surface;
  QComboBox* m_type = nullptr;
  QComboBox* m_base = nullptr;
  Position m_positions[POSITION_MAX] = {};
  QLabel* m_summary = nullptr;
  QLabel* m_listed = nullptr;
  QTableWidget* m_table = nullptr;
  TicketPrice m_price;
  bool m_priced = false;
};

#endif
