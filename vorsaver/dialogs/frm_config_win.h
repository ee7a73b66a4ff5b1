// frmConfig: the settings dialog, with the one setting kept in "sound.pvz".
#pragma once

namespace frmConfig {

// Loads the dialog (reading the setting) and shows it, not modal.
void Show();

}  // namespace frmConfig
