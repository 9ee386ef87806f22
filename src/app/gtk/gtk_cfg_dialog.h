// The configuration dialog as a GTK 3 window over the portable TCfgFrm model.
#pragma once

#include <string>

#include "config/settings.h"
#include "config/settings_store.h"

// Shows the dialog with `settings` (the loaded values) and runs until it closes. "Zapisz"
// saves through `store` into `settings`. GTK must be initialised (GtkDisplayAvailable()).
void RunConfigurationDialog(Settings& settings, SettingsStore& store, const std::string& title);
