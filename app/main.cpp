#include "app/Application.h"
#include "app/Translations.h"
#include "counter/CounterWindow.h"
#include "data/AppError.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/InstanceLock.h"
#include "data/ServerSettings.h"
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
    // A shop with several counters names its server in database.conf; a file
    // that cannot be read is reported once Qt is up, and the program ends.
    QString settingsProblem;
    Connection session;
    try {
        if (const std::optional<ServerSettings> server = LoadServerSettings())
            session.useServer(*server);
    } catch (const DataError &error) {
        settingsProblem = error.message();
    }
    // The file's key is derived while Qt starts.
    if (alone && settingsProblem.isEmpty())
        session.beginOpening();

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    InstallChineseTranslations(qtApplication);
    if (!alone) {
        Dialogs::Message(nullptr, QStringLiteral("程序已在运行。"), Dialogs::Icon::Warning);
        return 1;
    }
    if (!settingsProblem.isEmpty()) {
        Dialogs::Message(nullptr, settingsProblem, Dialogs::Icon::Stop);
        return 1;
    }
    Application program(session);
    program.counter().show();
    return QApplication::exec();
}
