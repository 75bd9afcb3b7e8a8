// The floor of the Linux program's start-up: an empty Qt dialog of the program's size, shown
// the same way; with --label, the same dialog with one line of text in the program's font, the
// floor of any dialog that shows text.
// Usage: oddsmith-bench-qt-empty WIDTH HEIGHT [--label]
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/dialog.h"

int main(int argc, char** argv) {
  const bool label = argc == 4 && std::strcmp(argv[3], "--label") == 0;
  if (argc != 3 && !label) {
    std::fprintf(stderr, "usage: oddsmith-bench-qt-empty WIDTH HEIGHT [--label]\n");
    return 2;
  }
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral(DLG_CAPTION));
  dialog.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
  if (label) {
    QFont font(QStringLiteral(DLG_FONT_FACE), DLG_FONT_POINTS);
    font.setStyleHint(QFont::SansSerif);
    dialog.setFont(font);
    auto* text = new QLabel(QStringLiteral(DLG_CAPTION), &dialog);
    text->move(8, 8);
  }
  dialog.show();
  return app.exec();
}
