#include "sim/virtual_studio.h"

VirtualStudio::VirtualStudio()
    : synth_(service_, SynthName), controller_(service_, ControllerName) {
    service_.AddDevice(KeyboardName, VirtualMidiService::SendsToComputer);
}
