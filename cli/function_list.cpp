#include "cli/function_list.h"

#include "cli/json.h"
#include "functions/function_table.h"

namespace talmiron::cli {

namespace {

template <typename AppendRow> std::string EachFunction(AppendRow appendRow) {
    const FunctionTable table;
    std::string out;
    for (std::size_t i = 0; i < kFunctionCount; ++i) {
        appendRow(out, table.Row(i));
        out.push_back('\n');
    }
    return out;
}

} // namespace

std::string FunctionListText() {
    return EachFunction([](std::string& out, const FunctionDef& row) {
        out += TextToUtf8(row.Name);
        out.push_back('(');
        for (std::size_t i = 0; i < row.ArgTypes.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += StateName(row.ArgTypes[i]);
        }
        out += ") -> ";
        out += StateName(row.ReturnType);
    });
}

std::string FunctionListJson() {
    return EachFunction([](std::string& out, const FunctionDef& row) {
        out += "{\"name\":";
        AppendJsonString(out, row.Name);
        out += ",\"arguments\":[";
        for (std::size_t i = 0; i < row.ArgTypes.size(); ++i) {
            out += i == 0 ? "\"" : ",\"";
            out += StateName(row.ArgTypes[i]);
            out.push_back('"');
        }
        out += "],\"result\":\"";
        out += StateName(row.ReturnType);
        out += "\"}";
    });
}

} // namespace talmiron::cli
