// A horse's program number and name where a column has room for only so much: the text cut
// with "…" to the label's width, the whole of it in the tip and told to screen readers.
#ifndef ODDSMITH_DIALOG_QT_NAME_LABEL_H
#define ODDSMITH_DIALOG_QT_NAME_LABEL_H

#include <QLabel>
#include <QString>

class NameLabel final : public QLabel {
 public:
  // chars: how many average characters of the font the label is wide.
  NameLabel(int chars, QWidget* parent);

  // Shows name, cut to fit; its tip and its accessible description are the whole name.
  void SetName(const QString& name);
  const QString& Name() const { return m_name; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Elide();

  int m_chars;
  QString m_name;
};

#endif
