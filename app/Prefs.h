// The preferences file "ZuvPrefs.txt" beside the program: the main window's six settings, kept between runs.
#pragma once

// False until the first activation has loaded the file or written the defaults.
extern bool PrefsLoaded;

// Rewrites the file from the main window's six controls. NilObjectException when it cannot be written; the
// previous file then stays as it was (see WritePrefs).
void SavePrefs();

// The first activation's work: loads the file into the main window, or, when there is none, puts the defaults
// there and writes them. NilObjectException, before any control changes, when the file exists but cannot be read.
void LoadPrefsOrDefaults();
