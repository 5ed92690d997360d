#pragma once

#include <QString>

// Where this machine's own settings files live: the folder salescounter under
// $XDG_CONFIG_HOME, or under ~/.config when that is unset or not absolute.
QString MachineSettingsFile(const QString &fileName);
