#include "grid/Dialogs.h"
#include "app/Windows.h"
#include "counter/MainUnit.h"
#include "data/DataFile.h"
#include "report/FontFaces.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();

    // The data file is fixed for the whole run; a new one is made when there is none.
    DataFile::ResolveAtStartup();
    {
        const Dialogs::OnceEachError onceEach;
        Dialogs::Guarded(nullptr, [] { DataFile::EnsureUsable(DataFile::Path()); });
        CreateWindows();
    }
    MainForm->show();
    const int result = QApplication::exec();
    DestroyWindows();
    return result;
}
