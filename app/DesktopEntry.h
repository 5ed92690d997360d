#pragma once

// Writes the desktop launcher "Tindrel销售小票打印软件.desktop", which starts the
// program in its own folder. Rewritten at every start; silently skipped when the
// desktop folder cannot be written.
void WriteDesktopEntry();
