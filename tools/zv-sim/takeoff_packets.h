#pragma once

// The takeoff sites zv-sim plays back as the instrument sends them: one "@@WP" packet per
// site of an instrument takeoff site file.

#include "link/instrument_link.h"

#include <string>
#include <vector>

namespace zv::sim {

// The packets of the sites of the .tof file at path; false (with the reader's message on
// standard error) when the file cannot be read.
bool takeoffPacketsOf(const std::string& path, std::vector<TransferPacket>& packets);

} // namespace zv::sim
