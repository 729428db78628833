// A plane vector that doubles as a complex number: rotations of a trajectory
// are products with unit vectors.
#pragma once

#include <cmath>

namespace sim {

struct Vec2 {
  double x;
  double y;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double s) {
  return {a.x * s, a.y * s};
}
inline Vec2 operator*(double s, Vec2 a) {
  return {a.x * s, a.y * s};
}

inline double Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
inline double Norm2(Vec2 a) {
  return Dot(a, a);
}
inline double Norm(Vec2 a) {
  return std::sqrt(Norm2(a));
}

// Complex product and conjugate.
inline Vec2 Rotate(Vec2 a, Vec2 b) {
  return {a.x * b.x - a.y * b.y, a.x * b.y + a.y * b.x};
}
inline Vec2 Conj(Vec2 a) {
  return {a.x, -a.y};
}

}  // namespace sim
