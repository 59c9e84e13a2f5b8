// bcr-sim: a simulated controller on virtual MIDI ports (see --help).
#include "controller_options.h"
#include "controller_session.h"
#include "simulator_main.h"

int main(int argc, char** argv) {
    return RunSimulator<ControllerOptions, ControllerSession>(argc, argv, "bcr-sim",
                                                              ParseControllerOptions);
}
