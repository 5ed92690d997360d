#include "app/Application.h"
#include "app/Translations.h"
#include "base/AppError.h"
#include "counter/CounterWindow.h"
#include "data/store/DataFile.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "grid/Dialogs.h"
#include "report/FontFaces.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The data file is fixed for the whole run; a new one is made when there is
    // none. One running program per data file: a second start would empty the
    // first one's ticket. A file this program cannot hold is reported once Qt
    // is up, and the program ends.
    DataFile::ResolveAtStartup();
    Session session;
    QString holdProblem;
    try {
        session.holdFile();
    } catch (const DataError &error) {
        holdProblem = error.message();
    }
    // A shop with several counters names its server in database.conf; a file
    // that cannot be read is reported likewise.
    QString settingsProblem;
    try {
        if (const std::optional<ServerSettings> server = LoadServerSettings())
            session.useServer(*server);
    } catch (const DataError &error) {
        settingsProblem = error.message();
    }
    // The file's key is derived while Qt starts.
    if (holdProblem.isEmpty() && settingsProblem.isEmpty())
        session.beginOpening();

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    InstallChineseTranslations(qtApplication);
    if (!holdProblem.isEmpty()) {
        Dialogs::Message(nullptr, holdProblem, Dialogs::Icon::Warning);
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
