// Reading the numbers of command arguments. Only decimal notation counts:
// leading white space is skipped, then an optional sign and digits (for a
// coordinate also a fraction and an exponent) are read up to the first byte
// that does not fit. A token that does not begin that way, such as "nan",
// "inf" or "x1", reads as 0. Magnitudes beyond the target type saturate, so
// no infinity or NaN ever comes out.
#pragma once

#include <cstdint>

namespace engine {

// An integer argument, saturated at the limits of int32.
int32_t ReadInteger(const char* token);

// A coordinate argument, read in double precision and rounded to float;
// saturated at the largest finite float.
float ReadCoordinate(const char* token);

}  // namespace engine
