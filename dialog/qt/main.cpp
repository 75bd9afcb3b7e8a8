// oddsmith: the Linux program. Shows the main dialog, with a saved line opened in it when the
// command line names one, and ends, with the quit message's code, when the dialog is closed.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "dialog/headless/headless_dialog.h"
#include "dialog/qt/program_icon.h"
#include "dialog/qt/qt_dialog.h"
#include "dialog/qt/sheet_print.h"
#include "files/line_file.h"
#include "sheet/sheet.h"
#include "text/text.h"

namespace {

const char PROGRAM_NAME[] = "oddsmith";
const char USAGE[] =
    "usage: oddsmith [FILE] [--import ENTRIES]\n"
    "       oddsmith --pdf OUT.pdf [--page A4] FILE\n"
    "Makes the odds line for one horse race. FILE is a line saved with \"Save\"\n"
    "(.oddsline), opened in the window as it was saved.\n"
    "  --import ENTRIES  import the entries of ENTRIES (a table with a Race column, or the\n"
    "                    single-file format) into the card, without asking\n"
    "  --pdf OUT.pdf     write the sheet of the card saved in FILE, a page a race, as a PDF,\n"
    "                    without a window, and exit\n"
    "  --page A4         the PDF's paper: Letter (the default) or A4\n"
    "  --help            print this help and exit\n"
    "  --version         print the version and exit\n";

// What the command line asks for: the window, with FILE opened in it when one is named and
// ENTRIES imported into it.
struct CommandLine {
  enum { RUN, HELP, VERSION, BAD } action = RUN;
  const char* file = nullptr;
  const char* entries = nullptr;
  const char* pdf = nullptr;      // --pdf: the sheet goes there, and no window opens
  const char* paper = nullptr;    // --page
  const char* refused = nullptr;  // the argument that made it BAD
  const char* why = nullptr;      // what is wrong with it
};

// Every argument but a lone FILE, one --import ENTRIES and one --pdf OUT.pdf with its --page
// is refused, Qt's own options (-style, -platform, ...) included: they would change how the
// window behaves. "--" ends the options.
CommandLine ReadCommandLine(int argc, char** argv) {
  CommandLine line;
  bool options = true;
  const auto refuse = [&line](const char* argument, const char* why) {
    line.action = CommandLine::BAD;
    line.refused = argument;
    line.why = why;
    return line;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (options && (argument == "--pdf" || argument == "--page")) {
      const char*& value = argument == "--pdf" ? line.pdf : line.paper;
      if (value || i + 1 == argc) return refuse(argv[i], value ? "a second" : "nothing after");
      value = argv[++i];
    } else if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--help") {
      line.action = CommandLine::HELP;
      return line;
    } else if (options && argument == "--version") {
      line.action = CommandLine::VERSION;
      return line;
    } else if (options && argument == "--import") {
      if (line.entries || i + 1 == argc) {
        line.action = CommandLine::BAD;
        line.refused = argv[i];
        line.why = line.entries ? "a second" : "no file after";
        return line;
      }
      line.entries = argv[++i];
    } else if ((options && argument.size() > 1 && argument[0] == '-') || line.file) {
      line.action = CommandLine::BAD;
      line.refused = argv[i];
      line.why =
          options && argument.size() > 1 && argument[0] == '-' ? "unknown option" : "a second FILE";
      return line;
    } else {
      line.file = argv[i];
    }
  }
  if (line.paper && !line.pdf) return refuse("--page", "no --pdf for");
  if (line.pdf && line.entries) return refuse("--import", "a PDF is made of a saved FILE, not");
  if (line.pdf && !line.file) return refuse("--pdf", "no FILE after");
  if (line.paper && !SameAsciiWord(line.paper, "A4") && !SameAsciiWord(line.paper, "Letter")) {
    return refuse(line.paper, "no such paper (A4 or Letter)");
  }
  return line;
}

// oddsmith --pdf: the card of file, opened as the window would open it, its sheet written to
// pdf. 0, or 1 with the reason on standard error, the PDF then not written at all.
int WritePdf(const CommandLine& command, int argc, char** argv) {
  // No window opens, so no display is needed; nor are the platform's remarks about the session
  // it runs in (a runtime folder not set) of any use on a command line. What goes wrong is
  // told below.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type != QtFatalMsg) return;
    // Qt would abort and dump core; the PDF is simply not written.
    std::fprintf(stderr, "%s: cannot write the PDF (%s)\n", PROGRAM_NAME,
                 message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  });
  int qtArgc = argc > 0 ? 1 : 0;
  QGuiApplication app(qtArgc, argv);
  const QString family = SheetFontFamily();
  if (family != QLatin1String(SHEET_FONT)) {
    std::fprintf(stderr,
                 "%s: %s is not installed (Debian package fonts-liberation2); the sheet "
                 "is set in %s\n",
                 PROGRAM_NAME, SHEET_FONT, family.toLocal8Bit().constData());
  }
  HeadlessDialog dialog;
  dialog.Init();
  LineFileError error;
  if (!dialog.OpenLine(command.file, error)) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM_NAME,
                 LineFileFailure(LineFileAction::OPEN, command.file, error, true).c_str());
    return EXIT_FAILURE;
  }
  const SheetPaper paper =
      command.paper && SameAsciiWord(command.paper, "A4") ? SHEET_A4 : SHEET_LETTER;
  std::vector<SheetPage> pages;
  dialog.Sheet(paper, pages);
  const QString failure = ExportSheetPdf(pages, paper, QFile::decodeName(command.pdf));
  if (!failure.isEmpty()) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM_NAME, failure.toLocal8Bit().constData());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
const char HINT[] =
    "set DISPLAY to a running X server, or QT_QPA_PLATFORM=offscreen to run without one";

QtMessageHandler g_previousHandler = nullptr;
QList<std::pair<QtMsgType, QString>> g_startMessages;

// While Qt opens its platform it may explain a failure over several lines and then abort,
// which would dump core. Hold its messages back and turn that abort into one line and an
// ordinary failure; after a good start the held messages go out as usual.
void StartMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    g_startMessages.append({type, message});
    return;
  }
  // Qt's first complaint names the cause ("could not connect to display :5"); its fatal
  // message only says that no platform could be started.
  const QString reason = g_startMessages.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0)
                                                   : g_startMessages.first().second;
  std::fprintf(stderr, "%s: cannot open the window (%s); %s\n", PROGRAM_NAME,
               reason.toLocal8Bit().constData(), HINT);
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine command = ReadCommandLine(argc, argv);
  switch (command.action) {
    case CommandLine::HELP: std::fputs(USAGE, stdout); return EXIT_SUCCESS;
    case CommandLine::VERSION:
      std::printf("%s %s\n", PROGRAM_NAME, ODDSMITH_VERSION);
      return EXIT_SUCCESS;
    case CommandLine::BAD:
      std::fprintf(stderr, "%s: %s \"%s\"\n", PROGRAM_NAME, command.why, command.refused);
      std::fputs(USAGE, stderr);
      return 2;
    case CommandLine::RUN: break;
  }
  if (command.pdf) return WritePdf(command, argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "%s: cannot open the window: no display; %s\n", PROGRAM_NAME, HINT);
    return EXIT_FAILURE;
  }

  // Qt takes its own options (-style, -stylesheet, -reverse, -platform) from the arguments it
  // is given and would change how the window behaves; it is given the program's name alone.
  int qtArgc = argc > 0 ? 1 : 0;
  g_previousHandler = qInstallMessageHandler(StartMessages);
  QApplication app(qtArgc, argv);
  qInstallMessageHandler(g_previousHandler);
  for (const auto& [type, message] : std::as_const(g_startMessages)) {
    if (g_previousHandler) {
      g_previousHandler(type, QMessageLogContext(), message);
    } else {
      std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
  }
  g_startMessages.clear();

  // The program ends when the dialog's destruction posts the quit message, not when its
  // window merely disappears.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(ProgramIcon());
  QtDialog dialog;
  QObject::connect(
      &dialog, &QtDialog::quitPosted, &app, [](int code) { QCoreApplication::exit(code); },
      Qt::QueuedConnection);
  dialog.Init();
  // After the initialisation, whose field-size reset would otherwise clear the file's marks.
  if (command.file) {
    dialog.OpenFile(QFile::decodeName(command.file), stderr);
  }
  if (command.entries) {
    dialog.ImportFile(QFile::decodeName(command.entries), stderr);
  }
  return QApplication::exec();
}
