// The Qt side of saving and opening lines; the format and the writing are the core's.
#include "dialog/qt/line_files.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <string>

#include "entries/entries.h"
#include "files/line_file.h"

namespace {

// Tells of a failure in a message box over parent and returns what it says.
QString Failed(QWidget* parent, LineFileAction action, const QString& path,
               const LineFileError& error) {
  QString message =
      QString::fromStdString(LineFileFailure(action, path.toStdString(), error, true));
  QMessageBox::warning(parent, QStringLiteral("Oddsmith"), message);
  return message;
}

// A path as the file system takes it.
std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Shows what the import of list will do and, once the user agrees (or without ask), does it.
bool Import(QWidget* parent, DialogSurface& surface, Card& card, const EntryList& list, bool ask) {
  const ImportPlan plan = PlanImport(card, surface, list);
  if (ask) {
    QMessageBox question(QMessageBox::Question, QString::fromLatin1(IMPORT_CAPTION),
                         QString::fromStdString(ImportQuestion(plan)),
                         QMessageBox::Ok | QMessageBox::Cancel, parent);
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok) return false;
  }
  ApplyImport(plan, card, surface);
  return true;
}

// The folder of the file last chosen in a file dialog, where the next one starts.
QString& LastFolder() {
  static QString folder;
  return folder;
}

QString Chosen(const QFileDialog& dialog) {
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  QString path = dialog.selectedFiles().first();
  LastFolder() = QFileInfo(path).absolutePath();
  return path;
}

}  // namespace

QString AskLineFile(QWidget* parent, bool save, const QString& current) {
  QFileDialog dialog(parent, save ? QStringLiteral("Save line") : QStringLiteral("Open line"),
                     current.isEmpty() ? LastFolder() : QFileInfo(current).absolutePath());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(
      QStringLiteral("%1 (*.%2)")
          .arg(QLatin1String(LINE_FILE_TYPE_NAME), QLatin1String(LINE_FILE_SUFFIX)));
  dialog.setDefaultSuffix(QString::fromLatin1(LINE_FILE_SUFFIX));
  dialog.exec();
  return Chosen(dialog);
}

QString AskSavePath(QWidget* parent, const QString& caption, const QString& typeName,
                    const QString& suffix, const QString& suggested) {
  QFileDialog dialog(parent, caption, LastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("%1 (*.%2)").arg(typeName, suffix));
  dialog.setDefaultSuffix(suffix);
  if (!suggested.isEmpty()) dialog.selectFile(suggested);
  dialog.exec();
  return Chosen(dialog);
}

bool SaveLineTo(QWidget* parent, DialogSurface& surface, Card& card, const QString& path) {
  LineFileError error;
  if (SaveLineFile(surface, card, NativePath(path), error)) return true;
  Failed(parent, LineFileAction::SAVE, path, error);
  return false;
}

QString OpenLineFrom(QWidget* parent, DialogSurface& surface, Card& card, const QString& path,
                     std::FILE* log) {
  LineFileError error;
  if (OpenLineFile(surface, card, NativePath(path), error)) return QString();
  if (log) {
    const std::string line = LineFileFailure(LineFileAction::OPEN, path.toStdString(), error, true);
    std::fprintf(log, "oddsmith: %s\n", line.c_str());
    std::fflush(log);
  }
  return Failed(parent, LineFileAction::OPEN, path, error);
}

bool ImportEntriesChosen(QWidget* parent, DialogSurface& surface, Card& card) {
  QString path;
  {
    // Gone before the question shows, so that a screen reader finds one window of that title.
    QFileDialog dialog(parent, QString::fromLatin1(IMPORT_CAPTION), LastFolder());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Entries (*.csv *.tsv *.txt)"), QStringLiteral("All files (*)")});
    dialog.exec();
    path = Chosen(dialog);
    if (path.isEmpty()) return false;
  }
  return ImportEntriesFrom(parent, surface, card, path, true);
}

bool ImportEntriesFrom(QWidget* parent, DialogSurface& surface, Card& card, const QString& path,
                       bool ask, std::FILE* log) {
  EntryList list;
  LineFileError error;
  if (!ReadEntriesFile(NativePath(path), list, error)) {
    if (log) {
      const std::string line =
          LineFileFailure(LineFileAction::IMPORT, path.toStdString(), error, true);
      std::fprintf(log, "oddsmith: %s\n", line.c_str());
      std::fflush(log);
    }
    Failed(parent, LineFileAction::IMPORT, path, error);
    return false;
  }
  return Import(parent, surface, card, list, ask);
}

bool PasteEntries(QWidget* parent, DialogSurface& surface, Card& card) {
  const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
  EntryList list;
  LineFileError error;
  if (!ParseEntries(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), list,
                    error)) {
    QMessageBox::warning(parent, QStringLiteral("Oddsmith"),
                         QString::fromStdString(PasteFailure(error)));
    return false;
  }
  return Import(parent, surface, card, list, true);
}
