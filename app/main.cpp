#include "app/Application.h"
#include "app/Translations.h"
#include "counter/CounterWindow.h"
#include "data/DataFile.h"
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
    Application program;
    program.counter().show();
    return QApplication::exec();
}
