#include "app/Application.h"
#include "app/Translations.h"
#include "counter/CounterWindow.h"
#include "data/DataFile.h"
#include "data/InstanceLock.h"
#include "grid/Dialogs.h"
#include "report/FontFaces.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    InstallChineseTranslations(qtApplication);

    // The data file is fixed for the whole run; a new one is made when there is none.
    DataFile::ResolveAtStartup();
    // One running program per data file: a second start would empty the
    // first one's ticket.
    InstanceLock lock(DataFile::Path());
    if (!lock.acquire()) {
        Dialogs::Message(nullptr, QStringLiteral("程序已在运行。"), Dialogs::Icon::Warning);
        return 1;
    }
    Application program;
    program.counter().show();
    return QApplication::exec();
}
