// The sheet on the Linux program: drawn with Qt's painter in Liberation Sans at the places the
// layout gives, printed with Qt's print dialog, previewed, and exported as a PDF written in one
// step as line files are.
#ifndef ODDSMITH_DIALOG_QT_SHEET_PRINT_H
#define ODDSMITH_DIALOG_QT_SHEET_PRINT_H

#include <QString>
#include <string>
#include <vector>

#include "dialog/surface.h"
#include "sheet/sheet.h"

class QPainter;
class QPrinter;
class QWidget;
struct Card;

// The font the sheet is drawn in, and the family this system gives for it.
inline constexpr char SHEET_FONT[] = "Liberation Sans";
QString SheetFontFamily();

// Draws page on painter, whose device has dotsPerPoint dots to a point from the page's corner.
void PaintSheetPage(QPainter& painter, const SheetPage& page, double dotsPerPoint);

// The sheet's pages as a PDF of paper's size, its bytes into pdf. False with the reason when
// Qt cannot make it.
bool MakeSheetPdf(const std::vector<SheetPage>& pages, const SheetPaper& paper, std::string& pdf,
                  std::string& error);

// Writes pages as a PDF at path, replacing a file there in one step; nothing is left behind on
// failure. Empty on success, else why: "Cannot write "PATH": REASON".
QString ExportSheetPdf(const std::vector<SheetPage>& pages, const SheetPaper& paper,
                       const QString& path);

// The sheet on printer's paper, 36 pt inside each edge.
SheetPaper PrinterPaper(QPrinter& printer);

// "Print...", "Print preview..." and "Export PDF..." over parent: the card's sheet, its shown
// race as surface shows it. The caller takes the typed entries first. A cancel changes nothing
// and says nothing; a failure is told in a message box.
void PrintSheet(QWidget* parent, Card& card, DialogSurface& surface);
void PreviewSheet(QWidget* parent, Card& card, DialogSurface& surface);
void ExportSheetChosen(QWidget* parent, Card& card, DialogSurface& surface,
                       const QString& document);

#endif
