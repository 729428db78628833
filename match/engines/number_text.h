// Numbers as text in the fewest digits that read back as the same value, for
// the commands sent to engines and for the records: 0.3f is written 0.3, not
// 0.300000012, and still reads back as exactly the same float.
#pragma once

#include <string>

namespace match::engines {

std::string ShortestFloat(float value);    // at most nine significant digits
std::string ShortestDouble(double value);  // at most seventeen

// A double's shortest text as std::to_chars writes it: the fewest significant
// digits that read back as `value`, fixed or scientific, whichever is
// shorter (fixed on a tie). Through std::to_chars where the standard library
// has it for floating point; otherwise (emscripten's) through PrintfShortest.
std::string ShortestText(double value);
// The double nearest a float's shortest text: the float as a reader of that
// text sees it.
double NearestDouble(float value);

// The same text made with printf and strtod alone, which every library has;
// the tests hold it to std::to_chars.
std::string PrintfShortest(double value);

}  // namespace match::engines
