// The program's icon from the images built into it, in every size a desktop asks for.
#include "dialog/qt/program_icon.h"

#include <QLatin1String>
#include <QString>

QIcon ProgramIcon() {
  // The images live in a static library, whose resources are registered only on request.
  Q_INIT_RESOURCE(oddsmith);
  QIcon icon;
  for (const char* size : {"16", "32", "48", "128", "256"}) {
    icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(size)));
  }
  return icon;
}
