// Code page 1252 between Qt's strings and the dialog's bytes, through the core's one table.
#include "dialog/qt/qt_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>
#include <cstring>

#include "text/codepage.h"
#include "text/table.h"

QByteArray ToDialogBytes(const QString& text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    bytes[i] = static_cast<char>(Cp1252FromUtf16(text[i].unicode()));
  }
  return bytes;
}

QString PlainTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
         QStringLiteral("</p>");
}

QString FromDialogBytes(const char* bytes, qsizetype length) {
  if (length < 0) length = static_cast<qsizetype>(std::strlen(bytes));
  QString text(length, Qt::Uninitialized);
  for (qsizetype i = 0; i < length; ++i) {
    text[i] = QChar(Cp1252ToUtf16(static_cast<unsigned char>(bytes[i])));
  }
  return text;
}

void PutOnClipboard(const CopiedTable& table) {
  auto* copied = new QMimeData;
  copied->setText(QString::fromStdString(table.text));
  copied->setHtml(QString::fromStdString(table.html));
  QGuiApplication::clipboard()->setMimeData(copied);
}
