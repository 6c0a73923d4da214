// The built-in functions as a list, for people and for editors that offer
// completion: one function a line, in the order of the function table.
#pragma once

#include <string>

namespace talmiron::cli {

// "InStr(Numeric, String, String) -> Numeric" lines.
std::string FunctionListText();

// {"name":"InStr","arguments":["Numeric","String","String"],"result":"Numeric"}
// lines.
std::string FunctionListJson();

} // namespace talmiron::cli
