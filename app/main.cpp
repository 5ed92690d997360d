#include "app/Application.h"
#include "app/StartOptions.h"
#include "app/Translations.h"
#include "base/AppError.h"
#include "counter/CounterWindow.h"
#include "data/store/DataFile.h"
#include "data/store/InstanceLock.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "grid/Dialogs.h"
#include "report/FontFaces.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions options = ReadStartOptions(arguments);
    if (!options.problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", options.problem.toLocal8Bit().constData());
        return 2;
    }
    if (options.version) {
        std::printf("salescounter %s\n", ProgramVersion().toLocal8Bit().constData());
        return 0;
    }
    // The data file is fixed for the whole run; a new one is made when there is
    // none. One running program per data file: a second start would empty the
    // first one's ticket; a till's second start ends quietly. A file this
    // program cannot hold is reported once Qt is up, and the program ends.
    Session session;
    QString holdProblem;
    try {
        EnterDataFolder(options.dataFolder);
        DataFile::ResolveAtStartup();
        session.holdFile();
    } catch (const AlreadyRunningError &error) {
        if (options.kiosk)
            return 0;
        holdProblem = error.message();
    } catch (const AppError &error) {
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
    if (options.kiosk)
        program.counter().showFullScreen();
    else
        program.counter().show();
    return QApplication::exec();
}
