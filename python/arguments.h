// Reading the Python module's arguments: every value is checked before it
// reaches the library, and a bad one raises TypeError (the wrong kind of
// value) or ValueError (the wrong value) with a message that starts with the
// argument's name. Nothing is clipped or converted with loss beyond a number's
// rounding to float.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "simulator/curling_api.h"

namespace python {

namespace arguments {

// A finite number (int, float or NumPy scalar) that fits a float.
float ReadFloat(pybind11::handle value, const std::string& name);
// A whole number (int or NumPy integer, not a float) from `lowest` to `highest`.
int64_t ReadInteger(pybind11::handle value, const std::string& name, int64_t lowest,
                    int64_t highest);
// A whole number from 0 to 2^64 - 1.
uint64_t ReadUnsigned(pybind11::handle value, const std::string& name);
// 0 or 1, as an int or as a float that is exactly one of them.
uint8_t ReadSpin(pybind11::handle value, const std::string& name);
std::string ReadText(pybind11::handle value, const std::string& name);

// A shot as (vx, vy, spin): a sequence of three numbers, checked as the
// referee checks a reply.
ShotVec ReadShot(pybind11::handle value, const std::string& name);

// A NumPy array of float32 with the given shape (-1: any length, the same as
// `count` when that is not -1), row-major: the caller's array itself when it
// is, otherwise a copy. `count` is set to the first dimension.
using Float32Array = pybind11::array_t<float, pybind11::array::c_style>;
Float32Array ReadFloat32Array(pybind11::handle value, const std::string& name,
                              const std::vector<int64_t>& shape, int64_t& count);
// A one-dimensional NumPy array of an integer type with `count` items, as int64.
using Int64Array = pybind11::array_t<int64_t, pybind11::array::c_style>;
Int64Array ReadIntegerArray(pybind11::handle value, const std::string& name, int64_t count);

// What is wrong with a state handed in as `name`, for a delivery when
// `delivery` (shot numbers 0 to 15) and otherwise for any position (0 to 16).
void CheckState(const GameState& state, const std::string& name, bool delivery);

}  // namespace arguments

}  // namespace python
