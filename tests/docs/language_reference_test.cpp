// docs/language.md against the product. Every function of the function table has a section of
// its own under a "## ... functions" heading, whose "Takes: ... Gives: ..." line states the
// table's types, and nothing else there claims to be a function. Every example written
// `EXPRESSION` → `RESULT` is evaluated and must give that result.
#include "component/expression.h"
#include "functions/function_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace talmiron {
namespace {

using Lines = std::vector<std::string>;

// The examples of a line, each "`EXPRESSION` → `RESULT`" as its two texts.
std::vector<std::pair<std::string, std::string>> Examples(const std::string& line) {
    static const std::string kArrow = " \xE2\x86\x92 `";
    std::vector<std::pair<std::string, std::string>> examples;
    for (std::size_t open = line.find('`'); open != std::string::npos;) {
        const std::size_t close = line.find('`', open + 1);
        if (close == std::string::npos) {
            break;
        }
        const std::size_t result = close + 1 + kArrow.size();
        const std::size_t end = line.find('`', result);
        if (close == open + 1 || line.compare(close + 1, kArrow.size(), kArrow) != 0 ||
            end == std::string::npos) {
            open = close; // the closing quote may open the next example
            continue;
        }
        examples.emplace_back(line.substr(open + 1, close - open - 1),
                              line.substr(result, end - result));
        open = line.find('`', end + 1);
    }
    return examples;
}

Lines ReadReference() {
    std::ifstream file(TALMIRON_LANGUAGE_REFERENCE);
    Lines lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The lines of each "### Name" section under a "## ... functions" heading.
std::map<std::string, Lines> FunctionSections(const Lines& lines) {
    std::map<std::string, Lines> sections;
    Lines* section = nullptr;
    bool inFunctions = false;
    for (const std::string& line : lines) {
        if (line.starts_with("## ")) {
            inFunctions = line.ends_with("functions");
            section = nullptr;
        } else if (inFunctions && line.starts_with("### ")) {
            EXPECT_FALSE(sections.contains(line.substr(4))) << "two sections for " << line;
            section = &sections[line.substr(4)];
        } else if (section) {
            section->push_back(line);
        }
    }
    return sections;
}

// "Takes: Numeric, String. Gives: String."
std::string TypesLine(const FunctionDef& row) {
    const auto TypeName = [](std::int32_t type) {
        return std::string(type == EvaluationTypes_Numeric ? "Numeric" : "String");
    };
    std::string line = "Takes: ";
    for (std::size_t i = 0; i < row.ArgTypes.size(); ++i) {
        line += (i == 0 ? "" : ", ") + TypeName(row.ArgTypes[i]);
    }
    line += row.ArgTypes.empty() ? "nothing" : "";
    return line + ". Gives: " + TypeName(row.ReturnType) + ".";
}

TEST(LanguageReference, HasOneSectionForEachFunctionOfTheTable) {
    const Lines lines = ReadReference();
    ASSERT_FALSE(lines.empty()) << "cannot read " TALMIRON_LANGUAGE_REFERENCE;
    std::map<std::string, Lines> sections = FunctionSections(lines);
    const FunctionTable table;
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        const FunctionDef& row = table.Row(i);
        const auto found = sections.find(TextToUtf8(row.Name));
        ASSERT_NE(found, sections.end()) << "no section for " << TextToUtf8(row.Name);
        const Lines& section = found->second;
        EXPECT_NE(std::ranges::find(section, TypesLine(row)), section.end())
            << found->first << " lacks the line \"" << TypesLine(row) << "\"";
        EXPECT_TRUE(
            std::ranges::any_of(section, [](const auto& l) { return !Examples(l).empty(); }))
            << found->first << " has no example";
        sections.erase(found);
    }
    for (const auto& [name, section] : sections) {
        ADD_FAILURE() << "\"" << name << "\" has a function section but is no function";
    }
}

TEST(LanguageReference, ExamplesGiveTheirResults) {
    std::size_t count = 0;
    for (const std::string& line : ReadReference()) {
        for (const auto& [expression, result] : Examples(line)) {
            ++count;
            EXPECT_EQ(TextToUtf8(Expression().Evaluate(Utf8ToText(expression))), result)
                << "for the example `" << expression << "`";
        }
    }
    // Far fewer would mean that the examples are no longer written the way this test reads them.
    EXPECT_GE(count, 150u);
}

} // namespace
} // namespace talmiron
