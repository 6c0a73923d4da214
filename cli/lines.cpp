#include "cli/lines.h"

namespace talmiron::cli {

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    // getline stops at EOF without a line end, and then sets eofbit.
    if (!in.eof() && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

} // namespace talmiron::cli
