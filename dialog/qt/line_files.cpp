// The Qt side of saving and opening lines; the format and the writing are the core's.
#include "dialog/qt/line_files.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <string>

#include "dialog/line_file.h"

namespace {

QString Failed(QWidget* parent, const QString& message) {
  QMessageBox::warning(parent, QStringLiteral("Oddsmith"), message);
  return message;
}

// A path as the file system takes it.
std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Ask(QWidget* parent, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, mode == QFileDialog::AcceptSave ? QStringLiteral("Save line")
                                                             : QStringLiteral("Open line"));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromLatin1(LINE_FILE_FILTER));
  dialog.setDefaultSuffix(QString::fromLatin1(LINE_FILE_SUFFIX));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

}  // namespace

QString SaveLineAs(QWidget* parent, DialogSurface& surface, const ToteState& tote) {
  // The file dialog takes the focus from a field being typed in, which takes its entry, as
  // leaving the field does, before anything is written.
  const QString path = Ask(parent, QFileDialog::AcceptSave);
  if (path.isEmpty()) return QString();
  std::string error;
  if (SaveLineFile(surface, tote, NativePath(path), error)) return QString();
  return Failed(parent,
                QStringLiteral("Cannot save \"%1\": %2").arg(path, QString::fromStdString(error)));
}

QString OpenLineChosen(QWidget* parent, DialogSurface& surface, ToteState& tote) {
  const QString path = Ask(parent, QFileDialog::AcceptOpen);
  return path.isEmpty() ? QString() : OpenLineFrom(parent, surface, tote, path);
}

QString OpenLineFrom(QWidget* parent, DialogSurface& surface, ToteState& tote, const QString& path,
                     std::FILE* log) {
  LineFileError error;
  if (OpenLineFile(surface, tote, NativePath(path), error)) return QString();
  const QString where = error.line > 0 ? QStringLiteral("line %1: ").arg(error.line) : QString();
  const QString message = QStringLiteral("Cannot open \"%1\": %2%3")
                              .arg(path, where, QString::fromStdString(error.reason));
  if (log) {
    std::fprintf(log, "oddsmith: %s\n", message.toLocal8Bit().constData());
    std::fflush(log);
  }
  return Failed(parent, message);
}
