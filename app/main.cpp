#include "app/Application.h"
#include "app/Translations.h"
#include "counter/CounterWindow.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/InstanceLock.h"
#include "grid/Dialogs.h"
#include "report/FontFaces.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The data file is fixed for the whole run; a new one is made when there is
    // none. One running program per data file: a second start would empty the
    // first one's ticket.
    DataFile::ResolveAtStartup();
    InstanceLock lock(DataFile::Path());
    const bool alone = lock.acquire();
    // The file's key is derived while Qt starts.
    Connection session;
    if (alone)
        session.beginOpening();

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    InstallChineseTranslations(qtApplication);
    if (!alone) {
        Dialogs::Message(nullptr, QStringLiteral("程序已在运行。"), Dialogs::Icon::Warning);
        return 1;
    }
    Application program(session);
    program.counter().show();
    return QApplication::exec();
}
