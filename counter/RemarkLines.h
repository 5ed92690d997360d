#pragma once

class QPlainTextEdit;

// The remark's line count as the box shows it: a line the box wraps counts
// once per shown line, a trailing empty line does not count, an empty box
// has none.
int ShownLineCount(QPlainTextEdit &memo);
