// The numeric computations whose bits every build must agree on, called the
// way the product calls them. The comparison of builds reaches them only
// through this file, so that it follows the product wherever they move.
#pragma once

#include "runtime/arctangent.h"
#include "runtime/exponential.h"
#include "runtime/logarithm.h"
#include "runtime/power.h"
#include "runtime/trigonometric.h"

namespace talmiron::crossplatform {

inline double Sin(double x) {
    return Sine(x);
}
inline double Cos(double x) {
    return Cosine(x);
}
inline double Tan(double x) {
    return Tangent(x);
}
inline double Atn(double x) {
    return Arctangent(x);
}
inline double Exp(double x) {
    return Exponential(x);
}
inline double Log(double x) {
    return NaturalLogarithm(x);
}
inline double Power(double x, double y) {
    return talmiron::Power(x, y);
}

} // namespace talmiron::crossplatform
