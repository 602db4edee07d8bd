// Ending the program from outside: a logout, a shutdown, kill or Ctrl+C in a terminal.
#pragma once

class TfrmHTMLEdit;

// On SIGTERM, SIGHUP or SIGINT the program asks nothing: every modified document goes to the
// recovery journal, the preview copies are removed, the settings are written, and it exits, even
// while a dialog is open.
void EndOnTerminationSignals(TfrmHTMLEdit &window);
