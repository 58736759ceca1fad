#pragma once
// Start-up: read config.txt (beside the executable, then in the user's and the machine's
// configuration folders), open the plant's database, refuse a second copy for the same
// user, show the main window.

class QApplication;

// Runs the application; returns the process exit code.
int Main(QApplication &app);
