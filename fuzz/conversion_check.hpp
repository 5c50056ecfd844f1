// The converter's promises about any logger.bin, checked on one input: the
// core functions convert it in memory, block by block as the program does,
// and every output is compared with a plain re-statement of the record format.
// Used by the fuzzer and by a test that replays the committed inputs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace logger2csv::checking {

// Converts `file` as logger.bin contents. Returns "" when every promise holds,
// else a description of the first one broken:
// - one console line per whole block that passes the validity test (bytes
//   0-4 "Logge", 5-12 non-zero, 13 zero), none for other blocks or a trailing
//   piece; the line is the 13 header bytes (control bytes as '?' in the
//   terminal style), then the start and stop stamps as hex fields;
// - min(count, 224) rows per recording, each "stamp,elapsed,sample\r\n" with
//   the start stamp, the elapsed time as the exact slow path writes the running
//   sum of duration / count, and the sample as a decimal from -128 to 127;
// - nothing written past the stated maximum sizes (buffers are exact heap
//   allocations, so a sanitizer sees any overrun, as it sees any read past a
//   block).
std::string check_conversion(std::span<const std::uint8_t> file);

}  // namespace logger2csv::checking
