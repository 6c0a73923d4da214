// Records of a CSV file (RFC 4180), read as a stream: quoted fields with
// doubled quotes, commas and line breaks inside quotes, CRLF or LF line ends,
// a UTF-8 byte-order mark at the start. Fields must be valid UTF-8.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace talmiron::cli {

struct CsvRecord {
    std::vector<std::string> fields; // without their quotes, doubled quotes undone
    std::string raw;                 // the bytes as read, without the line end
    std::string lineEnd;             // "\r\n", "\n", or empty at the end of the input
    std::size_t line = 0;            // where the record begins, from 1
};

class CsvReader {
  public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    // The next record; false at the end of the input and on bad input, which
    // Error() then describes. Empty lines are skipped.
    bool Next(CsvRecord& record);

    // "line 4: ..." for input that is not CSV; unset while there was none.
    const std::optional<std::string>& Error() const noexcept { return error_; }

    // True once the input has begun with a byte-order mark.
    bool HadByteOrderMark() const noexcept { return byteOrderMark_; }

  private:
    int Peek();
    int Get();
    bool Fail(std::size_t line, const std::string& message);
    bool ReadRecord(CsvRecord& record);

    std::istream& in_;
    std::string buffer_;
    std::size_t next_ = 0;
    std::size_t line_ = 1;
    bool started_ = false;
    bool byteOrderMark_ = false;
    std::optional<std::string> error_;
};

// The position of the first byte that breaks UTF-8 (overlong forms,
// surrogates and code points above U+10FFFF included), or npos.
std::size_t FindInvalidUtf8(const std::string& bytes);

// The field as CSV: quoted, with doubled quotes, when it holds a comma, a
// quote or a line break; as it is otherwise.
void AppendCsvField(std::string& out, const std::string& field);

} // namespace talmiron::cli
