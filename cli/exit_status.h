// The exit statuses of the talmiron command, and writing bytes to a stream.
#pragma once

#include <cstdio>
#include <string_view>

namespace talmiron::cli {

// Every result was Numeric or String.
inline constexpr int kSucceeded = 0;
// A result was not, or the output could not be written.
inline constexpr int kFailed = 1;
// The command line or the CSV input cannot be used.
inline constexpr int kUsageError = 2;

// Output waits in memory up to about this size before it goes out.
inline constexpr std::size_t kOutputChunk = 1 << 16;

// False when not every byte was written.
inline bool Write(std::FILE* stream, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

} // namespace talmiron::cli
