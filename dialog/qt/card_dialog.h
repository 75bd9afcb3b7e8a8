// The Card window of the Qt program, over the main dialog: the card's track and date, the races
// it holds, and who the selected race's horses are. It changes the card it is given and shows
// races on the main dialog's controls; every change is told to the main window at once.
#ifndef ODDSMITH_DIALOG_QT_CARD_DIALOG_H
#define ODDSMITH_DIALOG_QT_CARD_DIALOG_H

#include <QDialog>
#include <functional>

#include "card/card.h"
#include "dialog/surface.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CardDialog final : public QDialog {
  Q_OBJECT

 public:
  // REQUIRES: card and main (the controls showing its shown race) outlive the window. changed
  // is called after each change of the card or of the race shown.
  CardDialog(Card& card, DialogSurface& main, std::function<void()> changed,
             QWidget* parent = nullptr);

  // The race whose horses the window lists.
  int SelectedRace() const { return m_race; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void MakeFields();
  // Lists the races the card holds, race r selected.
  void FillList(int r);
  // Writes race r's summary into its row of the list; the selected race's after a change of its
  // label or horses.
  void ShowSummary(QTreeWidgetItem* item, int r);
  void ShowSelectedSummary();
  // Shows race r's label and horses in the fields, named for it.
  void ShowHorses(int r);
  void AddRace();
  void RemoveSelected();
  void ShowSelected();

  Card& m_card;
  DialogSurface& m_main;
  std::function<void()> m_changed;
  int m_race = 0;
  QLineEdit* m_track = nullptr;
  QLineEdit* m_date = nullptr;
  QLineEdit* m_label = nullptr;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_remove = nullptr;
  QLineEdit* m_horses[ROW_COUNT][3] = {};
};

#endif
