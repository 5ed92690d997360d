#pragma once

#include <QString>

// What a failed system call's error number means, in the user's words: the
// system's own text is in English.
QString SystemErrorReason(int error);
