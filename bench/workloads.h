// The workloads that every evaluator of the engine benchmark runs, each
// written in its own language, and the values of their symbols.
#pragma once

#include <array>
#include <string_view>

namespace talmiron::bench {

struct NumericCase {
    std::string_view ours;
    // fparser and muparser: lower-case names, sqrt for SQR.
    std::string_view peer;
};

inline constexpr std::array<NumericCase, 10> kNumeric{{
    {"1+2*3", "1+2*3"},
    {"(1+2)*3-4/5", "(1+2)*3-4/5"},
    {"x*y+z", "x*y+z"},
    {"SIN(x)*COS(y)+SQR(z)", "sin(x)*cos(y)+sqrt(z)"},
    {"(x+1)*(y-2)/(z+3)", "(x+1)*(y-2)/(z+3)"},
    {"x^2+y^2-z", "x^2+y^2-z"},
    {"ABS(x-y)*z+1", "abs(x-y)*z+1"},
    {"x/(y+z)-2.5", "x/(y+z)-2.5"},
    {"EXP(x)-SQR(z)+y", "exp(x)-sqrt(z)+y"},
    {"-x+y*(z-1)/2", "-x+y*(z-1)/2"},
}};

inline constexpr double kX = 1.5;
inline constexpr double kY = 2.25;
inline constexpr double kZ = 3;

struct StringCase {
    std::string_view ours;
    // muparserx: double quotes, // joins, the functions of bench/peer_muparserx.cpp.
    std::string_view muparserx;
};

inline constexpr std::array<StringCase, 5> kStrings{{
    {"UCASE(LEFT(name, 3)) + '-' + MID(code, 2, 4)",
     "toupper(left(name, 3)) // \"-\" // mid(code, 2, 4)"},
    {"LEN(REPLACE(s, 'a', 'bb'))", "strlen(replace(s, \"a\", \"bb\"))"},
    {"'x' + s + 'y'", "\"x\" // s // \"y\""},
    {"LEFT(s, 2) + RIGHT(name, 2)", "left(s, 2) // right(name, 2)"},
    {"'[' + UCASE(code) + ']'", "\"[\" // toupper(code) // \"]\""},
}};

inline constexpr std::string_view kName = "Margaret";
inline constexpr std::string_view kCode = "AB-12345";
inline constexpr std::string_view kS = "banana split";

} // namespace talmiron::bench
