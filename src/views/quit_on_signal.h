#pragma once

// SIGTERM (a desktop's logout), SIGINT and SIGHUP end a program's event loop, so that it shuts down
// in order: ports closed, settings stored. Installed first thing, so that a signal during start-up
// does not kill the program either: the event loop and every nested one end through a pipe (a
// signal handler may do next to nothing), and work outside the loop asks QuitRequested. SIGINT and
// SIGHUP that the program was started to ignore (nohup, a background job) stay ignored.
void QuitEventLoopOnSignals();
// True once one of the signals has come.
bool QuitRequested();
