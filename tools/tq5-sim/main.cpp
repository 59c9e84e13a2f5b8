// tq5-sim: a simulated synth on virtual MIDI ports (see --help).
#include "sim_options.h"
#include "sim_session.h"
#include "simulator_main.h"

int main(int argc, char** argv) {
    return RunSimulator<SimOptions, SimSession>(argc, argv, "tq5-sim", ParseSimOptions);
}
