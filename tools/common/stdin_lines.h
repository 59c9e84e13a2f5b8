#pragma once

#include <QString>
#include <functional>

// Hands each line of standard input to handle() until it returns false, the input ends, or
// SIGTERM or SIGINT arrives.
void ReadStdinLines(const std::function<bool(const QString&)>& handle);
