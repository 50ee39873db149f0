// SIGTERM, SIGINT and SIGHUP end the program the way closing its window
// does: once one has arrived, the message queue answers WM_QUIT whenever it
// has nothing else to give, so the running message loop ends, every later
// loop ends at its first look at the queue, and the program closes down
// through its normal path. A second signal while that runs ends the process
// at once.
#pragma once

// Installs the handlers (once; later calls do nothing).
void TerminationSignalsInstall();
// True once one of the signals has arrived.
bool TerminationRequested();
