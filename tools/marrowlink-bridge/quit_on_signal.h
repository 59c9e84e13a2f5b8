#pragma once

// Makes SIGINT and SIGTERM end the Qt event loop (through a pipe, since a signal handler may do
// next to nothing), so the program can close its ports in order.
void QuitEventLoopOnSignals();
