// Numbers as text in the fewest digits that read back as the same value, for
// the commands sent to engines and for the records: 0.3f is written 0.3, not
// 0.300000012, and still reads back as exactly the same float.
#pragma once

#include <string>

std::string ShortestFloat(float value);    // at most nine significant digits
std::string ShortestDouble(double value);  // at most seventeen
