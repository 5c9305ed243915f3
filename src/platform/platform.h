#pragma once

// Qt adapters of the core's ports: the serial port, launching programs, the per-user
// profile. Nothing of the core includes these headers; the front ends do.
