// docs/language.md against the product. Every function of the function table
// has a section of its own, under a "## ... functions" heading, whose
// "Takes: ... Gives: ..." line states the table's types, and nothing else
// there claims to be a function. Every example written `EXPRESSION` → `RESULT`
// is evaluated and must give that result.
#include "component/expression.h"
#include "functions/function_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace talmiron {
namespace {

struct Section {
    std::string name;
    std::vector<std::string> lines;
};

struct Reference {
    std::vector<std::string> lines;
    std::vector<Section> functions;
};

Reference ReadReference() {
    Reference reference;
    std::ifstream file(TALMIRON_LANGUAGE_REFERENCE);
    bool inFunctions = false;
    for (std::string line; std::getline(file, line);) {
        reference.lines.push_back(line);
        if (line.starts_with("## ")) {
            inFunctions = line.ends_with("functions");
        } else if (line.starts_with("### ") && inFunctions) {
            reference.functions.push_back({line.substr(4), {}});
        } else if (!reference.functions.empty() && inFunctions) {
            reference.functions.back().lines.push_back(line);
        }
    }
    return reference;
}

std::string TypeName(std::int32_t type) {
    return type == EvaluationTypes_Numeric ? "Numeric" : "String";
}

// "Takes: Numeric, String. Gives: String."
std::string TypesLine(const FunctionDef& row) {
    std::string line = "Takes: ";
    for (std::size_t i = 0; i < row.ArgTypes.size(); ++i) {
        line += (i == 0 ? "" : ", ") + TypeName(row.ArgTypes[i]);
    }
    line += row.ArgTypes.empty() ? "nothing" : "";
    return line + ". Gives: " + TypeName(row.ReturnType) + ".";
}

struct Example {
    std::string expression;
    std::string result;
};

// The `EXPRESSION` → `RESULT` pairs of a line.
std::vector<Example> Examples(const std::string& line) {
    static constexpr std::string_view kArrow = "` \xE2\x86\x92 `";
    std::vector<Example> examples;
    for (auto arrow = line.find(kArrow); arrow != std::string::npos;
         arrow = line.find(kArrow, arrow + 1)) {
        const auto open = line.rfind('`', arrow - 1);
        const auto resultStart = arrow + kArrow.size();
        const auto close = line.find('`', resultStart);
        if (open != std::string::npos && open + 1 < arrow && close != std::string::npos) {
            examples.push_back({line.substr(open + 1, arrow - open - 1),
                                line.substr(resultStart, close - resultStart)});
        }
    }
    return examples;
}

TEST(LanguageReference, HasOneSectionForEachFunctionOfTheTable) {
    const Reference reference = ReadReference();
    ASSERT_FALSE(reference.lines.empty()) << "cannot read " TALMIRON_LANGUAGE_REFERENCE;
    std::map<std::string, const Section*> sections;
    for (const Section& section : reference.functions) {
        EXPECT_TRUE(sections.emplace(section.name, &section).second)
            << "two sections for " << section.name;
    }
    const FunctionTable table;
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        const FunctionDef& row = table.Row(i);
        const auto found = sections.find(TextToUtf8(row.Name));
        if (found == sections.end()) {
            ADD_FAILURE() << "no section for " << TextToUtf8(row.Name);
            continue;
        }
        const std::vector<std::string>& lines = found->second->lines;
        EXPECT_NE(std::find(lines.begin(), lines.end(), TypesLine(row)), lines.end())
            << found->first << " lacks the line \"" << TypesLine(row) << "\"";
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [](const std::string& line) { return !Examples(line).empty(); }))
            << found->first << " has no example";
        sections.erase(found);
    }
    for (const auto& [name, section] : sections) {
        ADD_FAILURE() << "\"" << name << "\" has a function section but is no function";
    }
}

TEST(LanguageReference, ExamplesGiveTheirResults) {
    std::size_t examples = 0;
    for (const std::string& line : ReadReference().lines) {
        for (const Example& example : Examples(line)) {
            ++examples;
            Expression expression;
            EXPECT_EQ(TextToUtf8(expression.Evaluate(Utf8ToText(example.expression))),
                      example.result)
                << "for the example `" << example.expression << "`";
        }
    }
    // Far fewer would mean that the examples are no longer written the way
    // this test reads them.
    EXPECT_GE(examples, 150u);
}

} // namespace
} // namespace talmiron
