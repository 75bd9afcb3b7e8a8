// The sheet drawn, printed, previewed and exported by the Linux program.
#include "dialog/qt/sheet_print.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QLocale>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPointF>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRectF>
#include <QSizeF>
#include <cmath>

#include "dialog/qt/line_files.h"
#include "files/file_io.h"

namespace {

constexpr int MARGIN = 36 * SHEET_UNITS_PER_POINT;
const QColor GREY(118, 118, 118);  // a scratched horse's row: readable, plainly set apart

QFont SheetFont(int size, bool bold) {
  QFont font(QString::fromLatin1(SHEET_FONT));
  font.setStyleHint(QFont::SansSerif);
  // The layout measured every run with the font's own advances: no hinting moves a glyph, no
  // kerning pair closes one up.
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  font.setPixelSize(size);  // in the painter's tenths of a point
  font.setBold(bold);
  return font;
}

// Every page of pages on device, on which nothing is painted yet. False when it fails.
bool PaintPages(QPagedPaintDevice& device, const std::vector<SheetPage>& pages,
                double dotsPerPoint) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (std::size_t n = 0; n < pages.size(); ++n) {
    if (n > 0 && !device.newPage()) return false;
    PaintSheetPage(painter, pages[n], dotsPerPoint);
  }
  return painter.end();
}

bool PrintPages(QPrinter& printer, const std::vector<SheetPage>& pages) {
  return PaintPages(printer, pages, printer.resolution() / 72.0);
}

void PrepareFullPage(QPrinter& printer) {
  // The sheet keeps its own margins from the paper's edges.
  printer.setFullPage(true);
  printer.setDocName(QStringLiteral("Oddsmith sheet"));
  printer.setCreator(QStringLiteral("Oddsmith"));
}

}  // namespace

QString SheetFontFamily() { return QFontInfo(SheetFont(SHEET_BODY_SIZE, false)).family(); }

void PaintSheetPage(QPainter& painter, const SheetPage& page, double dotsPerPoint) {
  painter.save();
  painter.scale(dotsPerPoint / SHEET_UNITS_PER_POINT, dotsPerPoint / SHEET_UNITS_PER_POINT);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const SheetItem& item : page.items) {
    if (item.kind == SheetItem::RULE) {
      QPen pen(Qt::black, item.size);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(QPointF(item.x, item.y), QPointF(item.x2, item.y2));
      continue;
    }
    painter.setPen(item.grey ? GREY : QColor(Qt::black));
    painter.setFont(SheetFont(item.size, item.bold));
    painter.drawText(QPointF(item.x, item.y), QString::fromStdString(item.text));
  }
  painter.restore();
}

bool MakeSheetPdf(const std::vector<SheetPage>& pages, const SheetPaper& paper, std::string& pdf,
                  std::string& error) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Oddsmith"));
    writer.setTitle(QStringLiteral("Oddsmith sheet"));
    writer.setResolution(72 * SHEET_UNITS_PER_POINT);
    const QSizeF points(paper.width / double(SHEET_UNITS_PER_POINT),
                        paper.height / double(SHEET_UNITS_PER_POINT));
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    if (!PaintPages(writer, pages, SHEET_UNITS_PER_POINT)) {
      error = "the PDF could not be made";
      return false;
    }
  }
  pdf.assign(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
  return true;
}

QString ExportSheetPdf(const std::vector<SheetPage>& pages, const SheetPaper& paper,
                       const QString& path) {
  std::string pdf;
  std::string error;
  if (MakeSheetPdf(pages, paper, pdf, error) &&
      WriteFileAtomically(QFile::encodeName(path).toStdString(), pdf, error)) {
    return QString();
  }
  return QStringLiteral("Cannot write \"%1\": %2").arg(path, QString::fromStdString(error));
}

SheetPaper PrinterPaper(QPrinter& printer) {
  const QRectF rect = printer.paperRect(QPrinter::Point);
  return {static_cast<int>(std::lround(rect.width() * SHEET_UNITS_PER_POINT)),
          static_cast<int>(std::lround(rect.height() * SHEET_UNITS_PER_POINT)),
          MARGIN,
          MARGIN,
          MARGIN,
          MARGIN};
}

void PrintSheet(QWidget* parent, Card& card, DialogSurface& surface) {
  QPrinter printer(QPrinter::HighResolution);
  PrepareFullPage(printer);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print sheet"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PrintPages(printer, LayOutSheet(card, surface, PrinterPaper(printer)))) {
    const QString where =
        printer.outputFormat() == QPrinter::PdfFormat
            ? QStringLiteral("\"%1\" could not be written.").arg(printer.outputFileName())
            : QStringLiteral("the printer \"%1\" did not take it.").arg(printer.printerName());
    QMessageBox::warning(parent, QStringLiteral("Oddsmith"),
                         QStringLiteral("The sheet could not be printed: ") + where);
  }
}

void PreviewSheet(QWidget* parent, Card& card, DialogSurface& surface) {
  QPrinter printer(QPrinter::HighResolution);
  PrepareFullPage(printer);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("Print preview"));
  // Laid out again for every paper and orientation the preview is switched to.
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&card, &surface](QPrinter* shown) {
                     PrintPages(*shown, LayOutSheet(card, surface, PrinterPaper(*shown)));
                   });
  preview.exec();
}

void ExportSheetChosen(QWidget* parent, Card& card, DialogSurface& surface,
                       const QString& document) {
  const QString suggested = document.isEmpty() ? QString()
                                               : QFileInfo(document).path() + QLatin1Char('/') +
                                                     QFileInfo(document).completeBaseName() +
                                                     QStringLiteral(".pdf");
  const QString path = AskSavePath(parent, QStringLiteral("Export PDF"), QStringLiteral("PDF"),
                                   QStringLiteral("pdf"), suggested);
  if (path.isEmpty()) return;
  const SheetPaper paper =
      QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? SHEET_LETTER : SHEET_A4;
  const QString failure = ExportSheetPdf(LayOutSheet(card, surface, paper), paper, path);
  if (!failure.isEmpty()) QMessageBox::warning(parent, QStringLiteral("Oddsmith"), failure);
}
