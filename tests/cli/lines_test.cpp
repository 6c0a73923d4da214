#include "cli/lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace talmiron::cli {
namespace {

std::vector<std::string> Lines(const std::string& input) {
    std::istringstream in(input);
    std::vector<std::string> lines;
    std::string line = "stale";
    while (ReadLine(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ReadLine, EndsLinesAtLfOrCrlf) {
    using L = std::vector<std::string>;
    const std::pair<std::string, L> cases[] = {
        {"", L{}},
        {"\n", L{""}},
        {"\r\n", L{""}},
        {"a", L{"a"}},
        {"a\n", L{"a"}},
        {"a\r\nb\nc", L{"a", "b", "c"}},
        {"\n\n", L{"", ""}},
        {"a\r\r\n", L{"a\r"}},   // only the CR of the line end goes
        {"a\rb\n", L{"a\rb"}},   // a CR alone ends nothing
        {"a\n\r", L{"a", "\r"}}, // nor does one at the end of the input
        {std::string("x\0y\n", 4), L{std::string("x\0y", 3)}},
    };
    for (const auto& [input, lines] : cases) {
        EXPECT_EQ(Lines(input), lines) << input;
    }
}

} // namespace
} // namespace talmiron::cli
