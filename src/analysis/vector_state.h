#pragma once

namespace traxilo {

// In a Qt GUI process some library leaves the upper halves of the AVX
// registers marked in use. On the processors measured here, every call from
// our SSE code into libm's AVX sin, cos and exp then pays a state
// transition: a fit of 2 000 points took 50 to 220 ms instead of 1 to 15.
// Clearing that state before a long computation avoids it; elsewhere it does
// nothing.
void clearUpperVectorState();

} // namespace traxilo
