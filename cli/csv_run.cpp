#include "cli/csv_run.h"

#include "cli/csv_reader.h"
#include "cli/exit_status.h"
#include "engine/lexical.h"
#include "engine/number_text.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace talmiron::cli {

namespace {

void Say(std::FILE* messages, const std::string& text) {
    Write(messages, "talmiron: " + text + "\n");
}

// Output goes out in whole rows.
bool Flush(std::string& out, std::FILE* stream) {
    const bool written = Write(stream, out);
    out.clear();
    return written;
}

std::string Fields(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " field" : " fields");
}

bool IsNumberField(const std::string& field) {
    return std::any_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           IsNumericText(Utf8ToText(field));
}

// Column symbols by position; null for a column that formulas cannot name.
std::vector<std::shared_ptr<Symbol>> ColumnSymbols(const CsvRecord& header, Symbols& symbols,
                                                   std::FILE* messages) {
    std::vector<std::shared_ptr<Symbol>> columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        const std::string which = "column " + std::to_string(i + 1) + " (\"" + name + "\")";
        const Text key = Utf8ToText(name);
        if (key.empty() || !IsSymbolName(key)) {
            Say(messages, which + " is not a symbol name, so formulas cannot use it: a name "
                                  "begins with a letter, \"_\" or \"@\" and goes on with "
                                  "letters, digits, \"_\" or \"@\"");
            columns.push_back(nullptr);
        } else if (symbols.Find(key) != nullptr) {
            Say(messages, which + " has the name of an earlier column or symbol (names match "
                                  "without regard to case); formulas see the earlier one");
            columns.push_back(nullptr);
        } else {
            columns.push_back(symbols.Add(key, EvaluationTypes_String, Text()));
        }
    }
    return columns;
}

class Progress {
  public:
    Progress(bool show, std::FILE* stream) : show_(show), stream_(stream) {}

    void Row() {
        // The clock is read once every few thousand rows.
        if (!show_ || ++rows_ % 4096 != 0) {
            return;
        }
        const auto now = Clock::now();
        if (now - start_ >= std::chrono::seconds(1) &&
            now - shown_ >= std::chrono::milliseconds(500)) {
            shown_ = now;
            Show();
        }
    }

    // Leaves the last count on a line of its own.
    void Finish() {
        if (shown_ != Clock::time_point()) {
            Show();
            std::fputc('\n', stream_);
        }
    }

  private:
    using Clock = std::chrono::steady_clock;

    // Over the line shown before.
    void Show() {
        const std::chrono::duration<double> elapsed = Clock::now() - start_;
        std::fprintf(stream_, "\r%zu rows, %.0f rows/s", rows_,
                     static_cast<double>(rows_) / elapsed.count());
        std::fflush(stream_);
    }

    bool show_;
    std::FILE* stream_;
    std::size_t rows_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_;
};

} // namespace

int RunCsv(const CsvJob& job, Expression& expression, std::istream& in, std::FILE* out,
           std::FILE* messages) {
    CsvReader reader(in);
    CsvRecord record;
    if (!reader.Next(record)) {
        Say(messages, job.inputName + ", " + reader.Error().value_or("line 1: no header row"));
        return kUsageError;
    }
    const std::vector<std::shared_ptr<Symbol>> columns =
        ColumnSymbols(record, *expression.Symbols(), messages);

    std::string output = reader.HadByteOrderMark() ? "\xEF\xBB\xBF" : "";
    output += record.raw;
    output.push_back(',');
    AppendCsvField(output, TextToUtf8(job.column));
    output += record.lineEnd;

    bool written = true;
    bool allSucceeded = true;
    std::optional<std::string> badInput;
    Progress progress(job.showProgress, messages);
    while (reader.Next(record)) {
        if (record.fields.size() != columns.size()) {
            badInput = "line " + std::to_string(record.line) + ": a row of " +
                       Fields(record.fields.size()) + " where the header has " +
                       Fields(columns.size());
            break;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i]) {
                const std::string& field = record.fields[i];
                columns[i]->SetDataType(IsNumberField(field) ? EvaluationTypes_Numeric
                                                             : EvaluationTypes_String);
                columns[i]->SetValue(Utf8ToText(field));
            }
        }
        EvaluationStates state = EvaluationStates_None;
        const Text result = expression.Evaluate(job.expression, &state);
        allSucceeded =
            allSucceeded && (state == EvaluationStates_Numeric || state == EvaluationStates_String);
        output += record.raw;
        output.push_back(',');
        AppendCsvField(output, TextToUtf8(result));
        output += record.lineEnd;
        if (output.size() >= kOutputChunk) {
            written = Flush(output, out) && written;
        }
        progress.Row();
    }
    progress.Finish();
    // The rows before bad input go out: each of them is complete.
    written = Flush(output, out) && std::fflush(out) == 0 && written;
    if (!badInput) {
        badInput = reader.Error();
    }
    if (badInput) {
        Say(messages, job.inputName + ", " + *badInput);
        return kUsageError;
    }
    if (!written) {
        Say(messages, "cannot write the output");
        return kFailed;
    }
    return allSucceeded ? kSucceeded : kFailed;
}

} // namespace talmiron::cli
