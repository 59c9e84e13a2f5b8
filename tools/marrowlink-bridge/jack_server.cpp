#include "jack_server.h"

#include <jack/jack.h>

namespace {
void quiet(const char*) {}
} // namespace

bool JackServerRunning() {
    // libjack prints its failure to connect; the bridge says it in its own words.
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open("marrowlink-bridge", JackNoStartServer, &status);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}
