// Standard input as expressions, one a line.
#pragma once

#include <istream>
#include <string>

namespace talmiron::cli {

// The next line without its line end: LF or CRLF ends a line, and the last
// line needs none. A CR anywhere else, even at the very end of the input, is
// part of the line. False when the input has no further line.
bool ReadLine(std::istream& in, std::string& line);

} // namespace talmiron::cli
