#pragma once

#include "sim/controller_element.h"

#include <QStringList>

// Reads the words after ".easypar" into the standard output of a fresh element: an encoder's
//   CC|NRPN channel number min max mode     (absolute, relative-1..3, inc/dec for NRPN; "/14"
//                                           makes any but inc/dec 14-bit)
//   PB channel min max  |  AT channel key|all min max  |  PC channel bank-msb bank-lsb [min max]
// or a key's
//   CC|NRPN|AT channel number|key value1 value2|off toggleon|toggleoff|increment step
//   NOTE channel note velocity toggleon|toggleoff  |  PC channel bank-msb bank-lsb program
// (a bank byte may be "off"), and GS/XG and MMC lines, which are only checked for their channel
// or device.
Bcl::Error ReadStandardOutput(const QStringList& words, bool key, ControllerElement& definition);
