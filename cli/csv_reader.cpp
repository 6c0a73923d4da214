#include "cli/csv_reader.h"

#include <algorithm>

namespace talmiron::cli {

namespace {

constexpr int kEnd = -1;
constexpr std::size_t kChunk = 1 << 16;

std::string LinePrefix(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

} // namespace

int CsvReader::Peek() {
    if (next_ == buffer_.size()) {
        buffer_.resize(kChunk);
        in_.read(buffer_.data(), static_cast<std::streamsize>(kChunk));
        buffer_.resize(static_cast<std::size_t>(in_.gcount()));
        next_ = 0;
        if (buffer_.empty()) {
            return kEnd;
        }
    }
    return static_cast<unsigned char>(buffer_[next_]);
}

int CsvReader::Get() {
    const int c = Peek();
    if (c != kEnd) {
        ++next_;
        line_ += c == '\n';
    }
    return c;
}

bool CsvReader::Fail(std::size_t line, const std::string& message) {
    error_ = LinePrefix(line) + message;
    return false;
}

bool CsvReader::Next(CsvRecord& record) {
    if (error_) {
        return false;
    }
    if (!started_) {
        started_ = true;
        static constexpr char kMark[] = "\xEF\xBB\xBF";
        // The mark is whole or absent: three bytes fit in any first chunk.
        if (Peek() != kEnd && buffer_.compare(0, 3, kMark) == 0) {
            next_ = 3;
            byteOrderMark_ = true;
        }
    }
    do {
        if (Peek() == kEnd || !ReadRecord(record)) {
            return false;
        }
    } while (record.raw.empty());
    if (const std::size_t bad = FindInvalidUtf8(record.raw); bad != std::string::npos) {
        const auto breaks = std::count(record.raw.begin(), record.raw.begin() + bad, '\n');
        return Fail(record.line + static_cast<std::size_t>(breaks), "invalid UTF-8");
    }
    return true;
}

bool CsvReader::ReadRecord(CsvRecord& record) {
    record.fields.clear();
    record.raw.clear();
    record.lineEnd.clear();
    record.line = line_;
    std::string field;
    for (;;) {
        int c = Get();
        if (c == '"') {
            const std::size_t opened = line_;
            record.raw.push_back('"');
            for (;;) {
                c = Get();
                if (c == kEnd) {
                    return Fail(opened,
                                "unclosed quote: the quoted field that begins here never ends");
                }
                record.raw.push_back(static_cast<char>(c));
                if (c == '"') {
                    if (Peek() != '"') {
                        break;
                    }
                    record.raw.push_back(static_cast<char>(Get()));
                }
                field.push_back(static_cast<char>(c));
            }
            c = Get();
        } else {
            while (c != ',' && c != '\n' && c != kEnd && !(c == '\r' && Peek() == '\n')) {
                if (c == '"') {
                    return Fail(line_, "a quote inside an unquoted field; quote the whole field "
                                       "and write a quote in it twice");
                }
                record.raw.push_back(static_cast<char>(c));
                field.push_back(static_cast<char>(c));
                c = Get();
            }
        }
        record.fields.push_back(std::move(field));
        field.clear();
        if (c == ',') {
            record.raw.push_back(',');
            continue;
        }
        if (c == '\r' && Peek() == '\n') {
            Get();
            record.lineEnd = "\r\n";
        } else if (c == '\n') {
            record.lineEnd = "\n";
        } else if (c != kEnd) {
            return Fail(line_, "text after the closing quote of a field");
        }
        return true;
    }
}

std::size_t FindInvalidUtf8(const std::string& bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high) {
            return i;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return i;
            }
        }
        i += length;
    }
    return std::string::npos;
}

void AppendCsvField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

} // namespace talmiron::cli
