#pragma once

#include <functional>

class VirtualMidiService;

// Returns once everything handed to the service has been delivered and every port notification
// has been handled on this (the Qt) thread, including the chains they start: a handler that sends
// to a device whose receive handler answers. Reports a test failure if that takes more than a few
// seconds (a chain that never ends).
void SettleMidi(VirtualMidiService& service);

// Runs the Qt event loop until condition() holds; false when it still does not after timeoutMs.
// For real MIDI ports, whose delivery no test can observe directly.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
