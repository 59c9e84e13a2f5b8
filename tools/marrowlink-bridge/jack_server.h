#pragma once

// Whether a JACK server runs for this user (the one JACK_DEFAULT_SERVER names, if set). Without
// one, JACK's device lists are simply empty, which would read as "no such device".
bool JackServerRunning();
