#include "python/arguments.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "python/batch_simulation.h"

namespace python {

namespace py = pybind11;

namespace arguments {
namespace {

std::string TypeName(py::handle value) {
  return py::str(py::type::handle_of(value).attr("__name__"));
}

std::string Repr(py::handle value) {
  return py::repr(value);
}

[[noreturn]] void WrongType(py::handle value, const std::string& name, const char* expected) {
  throw py::type_error(name + ": expected " + expected + ", got " + TypeName(value));
}

bool IsNumber(py::handle value) {
  return PyNumber_Check(value.ptr()) != 0 && !py::isinstance<py::array>(value) &&
         !py::isinstance<py::str>(value);
}

bool IsInteger(py::handle value) {
  return PyIndex_Check(value.ptr()) != 0 && !py::isinstance<py::array>(value);
}

}  // namespace

float ReadFloat(py::handle value, const std::string& name) {
  if (!IsNumber(value)) WrongType(value, name, "a number");
  const double number = PyFloat_AsDouble(value.ptr());
  if (number == -1.0 && PyErr_Occurred() != nullptr) {
    PyErr_Clear();
    WrongType(value, name, "a number");
  }
  if (!std::isfinite(number)) throw py::value_error(name + ": " + Repr(value) + " is not finite");
  if (std::fabs(number) > std::numeric_limits<float>::max()) {
    throw py::value_error(name + ": " + Repr(value) + " is beyond the range of a float");
  }
  return static_cast<float>(number);
}

int64_t ReadInteger(py::handle value, const std::string& name, int64_t lowest, int64_t highest) {
  if (!IsInteger(value)) WrongType(value, name, "a whole number");
  const py::int_ whole = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
  if (!whole) throw py::error_already_set();
  int overflow = 0;
  const long long number = PyLong_AsLongLongAndOverflow(whole.ptr(), &overflow);
  if (overflow != 0 || number < lowest || number > highest) {
    throw py::value_error(name + ": " + Repr(value) + " is out of range (" +
                          std::to_string(lowest) + " to " + std::to_string(highest) + ")");
  }
  return number;
}

uint64_t ReadUnsigned(py::handle value, const std::string& name) {
  if (!IsInteger(value)) WrongType(value, name, "a whole number");
  const py::int_ whole = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
  if (!whole) throw py::error_already_set();
  const unsigned long long number = PyLong_AsUnsignedLongLong(whole.ptr());
  if (number == static_cast<unsigned long long>(-1) && PyErr_Occurred() != nullptr) {
    PyErr_Clear();
    throw py::value_error(name + ": " + Repr(value) + " is out of range (0 to 2^64 - 1)");
  }
  return number;
}

uint8_t ReadSpin(py::handle value, const std::string& name) {
  if (!IsNumber(value)) WrongType(value, name, "0 or 1");
  const double number = PyFloat_AsDouble(value.ptr());
  if (number == -1.0 && PyErr_Occurred() != nullptr) {
    PyErr_Clear();
    WrongType(value, name, "0 or 1");
  }
  if (number != 0.0 && number != 1.0) {
    throw py::value_error(name + ": " + Repr(value) + " is neither 0 nor 1");
  }
  return number == 1.0 ? 1 : 0;
}

std::string ReadText(py::handle value, const std::string& name) {
  if (!py::isinstance<py::str>(value)) WrongType(value, name, "a str");
  return value.cast<std::string>();
}

ShotVec ReadShot(py::handle value, const std::string& name) {
  if (!py::isinstance<py::sequence>(value) || py::isinstance<py::str>(value)) {
    if (!py::isinstance<py::array>(value)) WrongType(value, name, "a (vx, vy, spin) sequence");
  }
  if (py::len(value) != 3) {
    throw py::value_error(name + ": expected (vx, vy, spin), got " +
                          std::to_string(py::len(value)) + " values");
  }
  const py::object items = py::reinterpret_borrow<py::object>(value);
  ShotVec shot{};
  shot.vx = ReadFloat(items[py::int_(0)], name + " vx");
  shot.vy = ReadFloat(items[py::int_(1)], name + " vy");
  shot.spin = ReadSpin(items[py::int_(2)], name + " spin");
  const std::string problem = CheckShot(shot.vx, shot.vy, shot.spin, name);
  if (!problem.empty()) throw py::value_error(problem);
  return shot;
}

Float32Array ReadFloat32Array(py::handle value, const std::string& name,
                              const std::vector<int64_t>& shape, int64_t& count) {
  if (!py::isinstance<py::array>(value)) WrongType(value, name, "a NumPy array");
  const auto array = py::reinterpret_borrow<py::array>(value);
  const py::dtype dtype = array.dtype();
  if (dtype.kind() != 'f' || dtype.itemsize() != 4) {
    throw py::type_error(name + ": dtype " +
                         std::string(py::str(static_cast<const py::handle&>(dtype))) +
                         ", expected float32 (np.asarray(" + name + ", dtype=np.float32))");
  }
  std::string wanted = "(";
  for (size_t d = 0; d < shape.size(); ++d) {
    wanted += (d > 0 ? ", " : "") + (shape[d] < 0 ? std::string("N") : std::to_string(shape[d]));
  }
  wanted += shape.size() == 1 ? ",)" : ")";
  bool fits = array.ndim() == static_cast<py::ssize_t>(shape.size());
  for (size_t d = 0; fits && d < shape.size(); ++d) {
    const auto length = static_cast<int64_t>(array.shape(static_cast<py::ssize_t>(d)));
    if (shape[d] >= 0) fits = length == shape[d];
    if (shape[d] < 0 && count >= 0) fits = length == count;
  }
  if (!fits) {
    std::string got = "(";
    for (py::ssize_t d = 0; d < array.ndim(); ++d) {
      got += (d > 0 ? ", " : "") + std::to_string(array.shape(d));
    }
    got += array.ndim() == 1 ? ",)" : ")";
    throw py::value_error(name + ": shape " + got + ", expected " + wanted +
                          (count >= 0 ? " with N = " + std::to_string(count) : ""));
  }
  if (!shape.empty() && shape[0] < 0) count = static_cast<int64_t>(array.shape(0));
  auto contiguous = Float32Array::ensure(array);
  if (!contiguous) throw py::error_already_set();
  return contiguous;
}

Int64Array ReadIntegerArray(py::handle value, const std::string& name, int64_t count) {
  if (!py::isinstance<py::array>(value)) WrongType(value, name, "a NumPy array");
  const auto array = py::reinterpret_borrow<py::array>(value);
  const py::dtype dtype = array.dtype();
  if (dtype.kind() != 'i' && dtype.kind() != 'u') {
    throw py::type_error(name + ": dtype " +
                         std::string(py::str(static_cast<const py::handle&>(dtype))) +
                         ", expected an integer type such as int32");
  }
  if (array.ndim() != 1 || static_cast<int64_t>(array.shape(0)) != count) {
    throw py::value_error(name + ": expected shape (N,) with N = " + std::to_string(count));
  }
  // An unsigned value beyond int64 wraps to a negative one, which no
  // argument read this way accepts.
  auto whole = py::array_t<int64_t, py::array::c_style | py::array::forcecast>::ensure(array);
  if (!whole) throw py::error_already_set();
  return whole;
}

void CheckState(const GameState& state, const std::string& name, bool delivery) {
  const int highest = delivery ? 15 : 16;
  if (state.shotNumber < 0 || state.shotNumber > highest) {
    throw py::value_error(name + ".shot_number: " + std::to_string(state.shotNumber) +
                          (delivery ? " has no delivery (0 to 15)" : " is out of range (0 to 16)"));
  }
  for (int i = 0; i < 16; ++i) {
    if (!std::isfinite(state.stones[i].x) || !std::isfinite(state.stones[i].y)) {
      throw py::value_error(name + ".stones: stone " + std::to_string(i) +
                            " is not at a finite position");
    }
  }
}

}  // namespace arguments

}  // namespace python
