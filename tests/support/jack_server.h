#pragma once

#include <QString>

// Points this test program at the private JACK server that scripts/jack-start recorded in the
// file named by MARROWLINK_JACK_STATE (CTest's JACK fixture sets it), and checks that the server
// answers. Returns what is wrong, or an empty text.
QString UsePrivateJackServer();
