// The 24 face motifs as shapes on the square -1..1 (y downwards): each a
// test of whether a point is inside, so the painter can anti-alias any of
// them by sampling.
#include "content/pairs/art/motifs.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace pairs_art {
namespace {

constexpr double kPi = 3.14159265358979323846;

using Point = std::pair<double, double>;

bool InPolygon(double x, double y, std::initializer_list<Point> corners) {
  bool inside = false;
  const Point* previous = corners.end() - 1;
  for (const Point& p : corners) {
    const bool crosses = (p.second > y) != (previous->second > y);
    if (crosses && x < (previous->first - p.first) * (y - p.second) /
                               (previous->second - p.second) + p.first) {
      inside = !inside;
    }
    previous = &p;
  }
  return inside;
}

double Radius(double x, double y) { return std::sqrt(x * x + y * y); }

bool Star(double x, double y) {
  // Ten corners, alternately on the outer and inner circle.
  const double angle = std::atan2(y, x) + kPi / 2 + 4 * kPi;
  const double step = kPi / 5;
  const double within = std::fmod(angle, 2 * step) / step;  // 0..2 from an outer corner
  const double t = within <= 1 ? within : 2 - within;      // 0 outer .. 1 inner
  const double outer = 0.9;
  const double inner = 0.38;
  // The edge between an outer and an inner corner, as a radius at this angle.
  const double a0 = 0;
  const double a1 = step;
  const double a = t * step;
  const double x0 = outer * std::cos(a0), y0 = outer * std::sin(a0);
  const double x1 = inner * std::cos(a1), y1 = inner * std::sin(a1);
  const double dx = x1 - x0, dy = y1 - y0;
  const double edge = (x0 * dy - y0 * dx) / (std::cos(a) * dy - std::sin(a) * dx);
  return Radius(x, y) < edge;
}

bool Heart(double x, double y) {
  const double u = x * 1.15;
  const double v = -(y + 0.1) * 1.15;
  const double a = u * u + v * v - 0.55;
  return a * a * a - u * u * v * v * v < 0;
}

bool Flower(double x, double y) {
  const double r = Radius(x, y);
  if (r < 0.2) return true;
  if (r < 0.3) return false;  // a cream ring round the heart
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 - kPi / 2;
    if (Radius(x - 0.55 * std::cos(a), y - 0.55 * std::sin(a)) < 0.33) return true;
  }
  return false;
}

bool Sun(double x, double y) {
  const double r = Radius(x, y);
  const double rays = std::cos(8 * std::atan2(y, x));
  return r < 0.45 || (r < 0.85 && r > 0.55 && rays > 0.55);
}

bool Gear(double x, double y) {
  const double r = Radius(x, y);
  const double teeth = std::cos(10 * std::atan2(y, x)) > 0 ? 0.85 : 0.65;
  return r < teeth && r > 0.25;
}

const Motif kMotifs[kMotifCount] = {
    {"disc", 0xD02828, [](double x, double y) { return Radius(x, y) < 0.8; }},
    {"ring", 0x2860D0, [](double x, double y) { return std::fabs(Radius(x, y) - 0.62) < 0.2; }},
    {"square", 0x208848, [](double x, double y) { return std::fabs(x) < 0.68 && std::fabs(y) < 0.68; }},
    {"diamond", 0xE07818, [](double x, double y) { return std::fabs(x) + std::fabs(y) < 0.9; }},
    {"triangle", 0x8830B0,
     [](double x, double y) { return InPolygon(x, y, {{0, -0.85}, {0.85, 0.7}, {-0.85, 0.7}}); }},
    {"plus", 0x1898A0,
     [](double x, double y) {
       return (std::fabs(x) < 0.25 && std::fabs(y) < 0.85) || (std::fabs(y) < 0.25 && std::fabs(x) < 0.85);
     }},
    {"saltire", 0xB02060,
     [](double x, double y) {
       return std::fabs(x) < 0.85 && std::fabs(y) < 0.85 &&
              (std::fabs(x - y) < 0.32 || std::fabs(x + y) < 0.32);
     }},
    {"star", 0xD8A800, Star},
    {"heart", 0xE0304C, Heart},
    {"moon", 0x4848B8,
     [](double x, double y) { return Radius(x, y) < 0.8 && Radius(x - 0.4, y - 0.2) > 0.62; }},
    {"hourglass", 0x986020,
     [](double x, double y) { return std::fabs(y) < 0.8 && std::fabs(x) < std::fabs(y) * 0.9 + 0.08; }},
    {"stripes", 0x3070A0,
     [](double x, double y) { return Radius(x, y) < 0.82 && std::fmod(y + 2.0, 0.4) < 0.22; }},
    {"checker", 0x606060,
     [](double x, double y) {
       return std::fabs(x) < 0.8 && std::fabs(y) < 0.8 &&
              ((int(std::floor((x + 0.8) / 0.4)) + int(std::floor((y + 0.8) / 0.4))) & 1);
     }},
    {"target", 0xC83018,
     [](double x, double y) {
       const double r = Radius(x, y);
       return r < 0.85 && (r < 0.2 || std::fmod(r, 0.4) > 0.2);
     }},
    {"arrow", 0x18A060,
     [](double x, double y) {
       return InPolygon(x, y, {{0, -0.88}, {0.75, -0.05}, {0.28, -0.05}, {0.28, 0.85},
                               {-0.28, 0.85}, {-0.28, -0.05}, {-0.75, -0.05}});
     }},
    {"hexagon", 0x2890E0,
     [](double x, double y) {
       return InPolygon(x, y, {{-0.42, -0.75}, {0.42, -0.75}, {0.85, 0}, {0.42, 0.75},
                               {-0.42, 0.75}, {-0.85, 0}});
     }},
    {"four dots", 0x70309C,
     [](double x, double y) { return Radius(std::fabs(x) - 0.45, std::fabs(y) - 0.45) < 0.3; }},
    {"dome", 0x2E7D5A,
     [](double x, double y) { return (y < 0.3 && Radius(x, y - 0.3) < 0.8) || (std::fabs(y - 0.5) < 0.2 && std::fabs(x) < 0.85); }},
    {"sun", 0xF09000, Sun},
    {"flower", 0xE060A0, Flower},
    {"wave", 0x1078C0,
     [](double x, double y) {
       return std::fabs(x) < 0.88 && (std::fabs(y - 0.3 * std::sin(x * kPi * 1.5) + 0.3) < 0.17 ||
                                      std::fabs(y - 0.3 * std::sin(x * kPi * 1.5) - 0.3) < 0.17);
     }},
    {"stairs", 0x8C5A2C,
     [](double x, double y) {
       if (std::fabs(x) > 0.8 || y > 0.8) return false;
       return y > 0.8 - (std::floor((x + 0.8) / 0.4) + 1) * 0.4;
     }},
    {"drop", 0x30A8D8,
     [](double x, double y) {
       return Radius(x, y - 0.25) < 0.55 || InPolygon(x, y, {{0, -0.9}, {0.5, 0.05}, {-0.5, 0.05}});
     }},
    {"gear", 0x585868, Gear},
};

}  // namespace

const Motif& MotifOf(int face) { return kMotifs[face - 1]; }

}  // namespace pairs_art
