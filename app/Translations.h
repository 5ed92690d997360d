#pragma once

class QCoreApplication;

// Qt's own texts (OK and Cancel, the edit boxes' context menus, the file
// dialogs) in Simplified Chinese, like the rest of the program, whatever the
// machine's locale. Returns false when the translations are not installed.
bool InstallChineseTranslations(QCoreApplication &application);
