// Writes random expressions, one a line in UTF-8, for comparing two builds of
// the talmiron command byte for byte: every operator and function, symbols
// of both types, string literals with quotes, commas and non-ASCII
// characters, wrong argument types and counts, and damaged texts that end in
// errors. The same seed gives the same lines on every machine.
//
//   random-expressions [COUNT [SEED]]   the expressions
//   random-expressions --options        the command's symbol options, one a line
//
// NOW, DATE, TIME and RND appear only where their result cannot show.
#include "tests/crossplatform/random_source.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using talmiron::crossplatform::RandomSource;

constexpr int kMaxDepth = 3;

// What an argument or an operand should be; a wrong kind now and then
// reaches the type checks.
enum class Kind { Number, String, Date, Interval, Whole, Length };

struct Function {
    std::string_view name;
    Kind result;
    std::array<Kind, 3> arguments;
    int count;
};

constexpr Kind N = Kind::Number;
constexpr Kind S = Kind::String;
constexpr Kind D = Kind::Date;
constexpr Kind I = Kind::Interval;
constexpr Kind W = Kind::Whole;
constexpr Kind L = Kind::Length;

// Every built-in function but the four whose results change from run to run.
constexpr std::array<Function, 45> kFunctions{{
    {"Abs", N, {N}, 1},
    {"Cos", N, {N}, 1},
    {"Exp", N, {N}, 1},
    {"Int", N, {N}, 1},
    {"Log", N, {N}, 1},
    {"Sin", N, {N}, 1},
    {"Sqr", N, {N}, 1},
    {"Tan", N, {N}, 1},
    {"Arcsin", N, {N}, 1},
    {"Arccos", N, {N}, 1},
    {"Len", N, {S}, 1},
    {"Val", N, {S}, 1},
    {"Asc", N, {S}, 1},
    {"Chr", S, {W}, 1},
    {"Hex", S, {N}, 1},
    {"Oct", N, {N}, 1},
    {"Round", N, {N, W}, 2},
    {"InStr", N, {W, S, S}, 3},
    {"Trim", S, {S}, 1},
    {"Right", S, {S, W}, 2},
    {"Left", S, {S, W}, 2},
    {"Str", S, {N}, 1},
    {"RTrim", S, {S}, 1},
    {"LTrim", S, {S}, 1},
    {"LCase", S, {S}, 1},
    {"UCase", S, {S}, 1},
    {"Replace", S, {S, S, S}, 3},
    {"Space", S, {L}, 1},
    {"String", S, {L, S}, 2},
    {"StrReverse", S, {S}, 1},
    {"Mid", S, {S, W, W}, 3},
    {"DateDiff", N, {I, D, D}, 3},
    {"DateAdd", S, {I, W, D}, 3},
    {"DatePart", N, {I, D}, 2},
    {"DateSerial", S, {W, W, W}, 3},
    {"Year", N, {D}, 1},
    {"Month", N, {D}, 1},
    {"Day", N, {D}, 1},
    {"Hour", N, {D}, 1},
    {"Minute", N, {D}, 1},
    {"Second", N, {D}, 1},
    {"InStrRev", N, {S, S, W}, 3},
    {"Atn", N, {N}, 1},
    {"Sgn", N, {N}, 1},
    {"Pi", N, {}, 0},
}};

// Forms of the clock and the random generator whose results never show.
constexpr std::array<std::string_view, 4> kSteadyForms{"0*LEN(NOW())", "LEN(DATE())-LEN(DATE())",
                                                       "0*LEN(TIME())", "INT(RND()*0)"};

struct SymbolOption {
    std::string_view option;
    std::string_view name;
    std::string_view value;
    Kind kind;
};

constexpr std::array<SymbolOption, 10> kSymbols{{
    {"--num", "x", "0.1", N},
    {"--num", "y", "-2.5", N},
    {"--num", "big", "123456789012.345", N},
    {"--num", "n", "7", N},
    {"--num", "e", "1E-7", N},
    {"--str", "s", "abcab", S},
    {"--str", "name", "Ann O'Hara", S},
    {"--str", "code", "X-1234,(b)", S},
    {"--str", "d", "2021-03-04 05:06:07", D},
    {"--str", "blank", "", S},
}};

constexpr std::array<std::string_view, 10> kIntervals{"'yyyy'", "'q'",  "'m'", "'y'", "'d'",
                                                      "'w'",    "'ww'", "'h'", "'n'", "'s'"};

// Pieces of string literals, written as inside quotes: doubled quotes, the
// characters that delimit arguments, blanks, and characters beyond ASCII
// (two, three and four bytes in UTF-8).
constexpr std::array<std::string_view, 16> kStringPieces{
    "a", "b", "ab", "Abc", "''", ",", "(", ")", " ", "  x ", "é", "ß", "Ω", "中", "😀", "12"};

constexpr std::array<std::string_view, 5> kOperators{"+", "-", "*", "/", "^"};

// Characters that damage a text: the language's own and a few strangers.
constexpr std::string_view kDamage = "+-*/^(),'. 0aE&$";

class Generator {
  public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    const std::string& Next() {
        text_.clear();
        const auto form = random_.Below(20);
        if (form == 0) {
            Put(kSteadyForms[random_.Below(kSteadyForms.size())]);
        } else {
            Expression(form < 12 ? N : S, 0);
        }
        if (random_.Below(12) == 0) {
            Damage();
        }
        return text_;
    }

  private:
    void Put(std::string_view piece) { text_ += piece; }

    // A name as the user may spell it: any case.
    void PutName(std::string_view name) {
        const auto style = random_.Below(4);
        for (const char c : name) {
            const bool upper = style == 0 || (style == 3 && random_.Coin());
            const bool lower = style == 1;
            text_ += upper   ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                     : lower ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                             : c;
        }
    }

    void Expression(Kind kind, int depth) {
        Operand(kind, depth);
        for (auto more = random_.Below(3); more > 0; --more) {
            const bool blanks = random_.Below(3) == 0;
            if (blanks) {
                Put(" ");
            }
            // Strings join with + mostly; any other operator is a type error.
            Put(kind == S && random_.Below(20) != 0 ? "+"
                                                    : kOperators[random_.Below(kOperators.size())]);
            if (blanks) {
                Put(" ");
            }
            Operand(kind, depth);
        }
    }

    void Operand(Kind kind, int depth) {
        const auto sign = random_.Below(100);
        if (sign < 8) {
            Put("-");
        } else if (sign < 12) {
            Put("+");
        } else if (sign < 13) {
            Put("--");
        }
        // Now and then the other type, for the type checks.
        if (random_.Below(40) == 0) {
            kind = kind == S ? N : S;
        }
        const auto choice = depth < kMaxDepth ? random_.Below(10) : random_.Below(6);
        if (choice < 4) {
            Literal(kind);
        } else if (choice < 6) {
            Symbol(kind);
        } else if (choice < 7) {
            Put("(");
            Expression(kind, depth + 1);
            Put(")");
        } else {
            Call(kind, depth + 1);
        }
    }

    void Symbol(Kind kind) {
        if (random_.Below(40) == 0) {
            PutName("nosuch");
            return;
        }
        for (;;) {
            const SymbolOption& symbol = kSymbols[random_.Below(kSymbols.size())];
            const bool numeric = symbol.kind == N;
            if (numeric == (kind == N || kind == W) || random_.Below(25) == 0) {
                PutName(symbol.name);
                return;
            }
        }
    }

    void Call(Kind kind, int depth) {
        const Function* function = nullptr;
        for (;;) {
            function = &kFunctions[random_.Below(kFunctions.size())];
            if ((function->result == S) == (kind == S || kind == D) || random_.Below(25) == 0) {
                break;
            }
        }
        PutName(function->name);
        Put("(");
        int count = function->count;
        if (random_.Below(30) == 0) {
            count += random_.Coin() ? 1 : -1;
        }
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                Put(random_.Below(4) == 0 ? ", " : ",");
            }
            Argument(i < function->count ? function->arguments[static_cast<std::size_t>(i)] : N,
                     depth, function->name == "Val" && random_.Coin());
        }
        Put(")");
    }

    // A number text is a string argument that reads as a number.
    void Argument(Kind kind, int depth, bool numberText) {
        switch (kind) {
        case Kind::Interval:
            Put(kIntervals[random_.Below(kIntervals.size())]);
            if (random_.Below(20) == 0) {
                Put("+'x'");
            }
            return;
        case Kind::Date:
            if (random_.Below(3) == 0) {
                Symbol(D);
                return;
            }
            DateLiteral();
            return;
        case Kind::String:
            if (numberText) {
                Put("'");
                if (random_.Coin()) {
                    ReaderForm();
                } else {
                    Literal(N);
                }
                Put("'");
                return;
            }
            break;
        case Kind::Length:
            // Texts of millions of characters would only make the comparison slow.
            Digits(random_.Below(10) == 0 ? -3 : 0, 40);
            return;
        case Kind::Whole:
            if (random_.Below(3) == 0) {
                Digits(0, 12);
                return;
            }
            break;
        default:
            break;
        }
        Expression(kind, depth);
    }

    void Literal(Kind kind) {
        if (kind == S || kind == D) {
            StringLiteral();
            return;
        }
        // The reader's other forms are no operands: now and then one, for
        // the error.
        if (random_.Below(50) == 0) {
            ReaderForm();
            return;
        }
        switch (random_.Below(4)) {
        case 0:
            Digits(0, 100);
            break;
        case 1:
            Digits(0, 999);
            Put(".");
            Digits(0, 99'999'999'999'999);
            break;
        case 2:
            Put("0.");
            for (auto zeros = random_.Below(12); zeros > 0; --zeros) {
                Put("0");
            }
            Digits(1, 99'999'999'999'999'999);
            break;
        default:
            Digits(0, 9'999'999);
            Put(".");
            Digits(0, 9'999'999'999);
            break;
        }
    }

    // Exponents and hexadecimal and octal numbers, which only Val reads.
    void ReaderForm() {
        switch (random_.Below(3)) {
        case 0:
            Digits(0, 99'999);
            Put(".");
            Digits(0, 999);
            Put(random_.Coin() ? "E" : "e-");
            Digits(0, 330);
            break;
        case 1:
            Put("&H");
            text_ += Based(16);
            break;
        default:
            Put("&O");
            text_ += Based(8);
            break;
        }
    }

    std::string Based(unsigned base) {
        constexpr std::string_view kDigits = "0123456789ABCDEF";
        auto value = random_.Next() >> random_.Below(64);
        std::string digits;
        do {
            digits.insert(digits.begin(), kDigits[value % base]);
            value /= base;
        } while (value != 0);
        return digits;
    }

    void StringLiteral() {
        Put("'");
        for (auto pieces = random_.Below(5); pieces > 0; --pieces) {
            Put(kStringPieces[random_.Below(kStringPieces.size())]);
        }
        Put("'");
    }

    void DateLiteral() {
        Put("'");
        Digits(random_.Below(10) == 0 ? 90 : 1900, 2100);
        Put(random_.Coin() ? "-" : "/");
        Digits(1, random_.Below(20) == 0 ? 14 : 12);
        Put("-");
        Digits(1, 31);
        if (random_.Coin()) {
            Put(random_.Coin() ? " " : "T");
            Digits(0, 23);
            Put(":");
            Digits(0, 59);
            if (random_.Coin()) {
                Put(":");
                Digits(0, 61);
            }
        }
        Put("'");
    }

    void Digits(std::int64_t low, std::int64_t high) {
        text_ += std::to_string(random_.Between(low, high));
    }

    // Removes, doubles or inserts one character: unbalanced groups and
    // quotes, operators without operands, names run together.
    void Damage() {
        if (text_.empty()) {
            return;
        }
        const auto at = static_cast<std::size_t>(random_.Below(text_.size()));
        // Only at a character's first byte, so that the text stays UTF-8.
        if ((static_cast<unsigned char>(text_[at]) & 0xC0) == 0x80) {
            return;
        }
        switch (random_.Below(3)) {
        case 0:
            if (static_cast<unsigned char>(text_[at]) < 0x80) {
                text_.erase(at, 1);
            }
            break;
        case 1:
            text_.insert(at, 1, kDamage[random_.Below(kDamage.size())]);
            break;
        default:
            text_.insert(at, std::string(kOperators[random_.Below(kOperators.size())]));
            break;
        }
    }

    RandomSource random_;
    std::string text_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--options") {
        for (const SymbolOption& symbol : kSymbols) {
            std::printf("%.*s\n%.*s=%.*s\n", static_cast<int>(symbol.option.size()),
                        symbol.option.data(), static_cast<int>(symbol.name.size()),
                        symbol.name.data(), static_cast<int>(symbol.value.size()),
                        symbol.value.data());
        }
        return 0;
    }
    const long long count = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 12;
    Generator generator(seed);
    std::string out;
    for (long long i = 0; i < count; ++i) {
        out += generator.Next();
        out += '\n';
        if (out.size() > (1 << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
