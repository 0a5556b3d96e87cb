#pragma once

#include <QString>

// The user's configuration folders, worked out here only: $XDG_CONFIG_HOME when it is an
// absolute path, else ~/.config (the base directory rules ignore a relative one).
namespace ConfigFolder {

// $XDG_CONFIG_HOME or ~/.config: the autostart folder lives below it.
QString home();
// home()/morvane: the application's own settings.
QString application();

} // namespace ConfigFolder
