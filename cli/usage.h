// The texts of --help and --version, each ending with a line end.
#pragma once

#include <string_view>

namespace talmiron::cli {

std::string_view HelpText() noexcept;
std::string_view VersionText() noexcept;

} // namespace talmiron::cli
