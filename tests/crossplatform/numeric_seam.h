// The numeric computations whose bits every build must agree on, called the
// way the product calls them. The comparison of builds reaches them only
// through this file, so that it follows the product wherever they move.
#pragma once

#include <cmath>

namespace talmiron::crossplatform {

inline double Sin(double x) {
    return std::sin(x);
}
inline double Cos(double x) {
    return std::cos(x);
}
inline double Tan(double x) {
    return std::tan(x);
}
inline double Atn(double x) {
    return std::atan(x);
}
inline double Exp(double x) {
    return std::exp(x);
}
inline double Log(double x) {
    return std::log(x);
}
inline double Power(double x, double y) {
    return std::pow(x, y);
}

} // namespace talmiron::crossplatform
