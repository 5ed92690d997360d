#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// Starts `command` in `workDir` with nothing to read, its output and errors
// going to `outputFile`, and none of the test's other open files: a server it
// starts must not keep the pipes the test runner waits on. It ends with the
// test process. Returns its process id, or -1 when it cannot be started.
pid_t StartChild(const QStringList &command, const QString &workDir, const QString &outputFile);
// Waits for a child to end; its exit status, or -1 when it was killed.
int WaitForChild(pid_t child);

// A file's text, or an empty text when it cannot be read.
QString ReadText(const QString &fileName);
