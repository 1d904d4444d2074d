// The preferences at the first activation: the file's settings, or the defaults, put into the main window.
#pragma once

// False until the first activation has loaded the file or written the defaults.
extern bool PrefsLoaded;

// The first activation's work: loads the file into the main window, or, when there is none, puts the defaults
// there and writes them. NilObjectException, before any control changes, when the file exists but cannot be read.
void LoadPrefsOrDefaults();
