#pragma once

#include "files/file_io.h"
#include "files/message_scan.h"

#include <QString>
#include <cstdint>
#include <span>

// Why a file gives a page nothing to load, saying what the file looks like where it can.
namespace SyxFiles {

// "This file holds no TQ5 voice: it looks like a BCR2000 preset.", for a patch file's load, or
// "This file holds no TQ5 multi: ..." for a multi file's. Only for a file whose scan holds nothing
// that page loads.
QString NothingToLoadText(std::span<const std::uint8_t> file, const SyxScan::Scan& scan,
                          const FileKind& kind);

} // namespace SyxFiles
