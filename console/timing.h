// What a frame costs: vertical blanks and microseconds, both polled (the
// program takes no interrupt). Root counter 2 counts the system clock
// divided by 8 and wraps every 15.5 ms, so Poll must come more often than
// that: the drawing calls it for every polygon and while it waits.
#ifndef GANNET_CONSOLE_TIMING_H_
#define GANNET_CONSOLE_TIMING_H_

#include <stdint.h>

namespace timing {

/// Sets root counter 2 to count the system clock divided by 8 and keeps the
/// interrupt controller from passing anything to the processor.
void Init();

/// Starts measuring: no blank and no tick counted yet.
void Start();

/// Adds the ticks and the vertical blank (if one came) since the last call.
void Poll();

/// Microseconds since Start, as of the last Poll.
uint32_t Microseconds();

/// Vertical blanks since Start, as of the last Poll.
uint32_t Blanks();

/// Waits for the beginning of the next vertical blank.
void WaitBlank();

}  // namespace timing

#endif  // GANNET_CONSOLE_TIMING_H_
