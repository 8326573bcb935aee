// Runs cases through the calculators and prints each result text, one line per case, so that
// the outputs of builds for different machines can be compared byte for byte. Not shipped.
//
//   mass_cases --generate COUNT   writes COUNT random cases (always the same ones) to stdout
//   mass_cases < cases            reads cases from stdin and writes the result texts
//
// It runs in the environment's locale (LC_ALL, LANG), as the Qt program does, so that the
// cross check can hold a build under a decimal-comma locale to the others.
//
// A case is one line: group|a|b|c|density, with the group one of channel, equal, unequal,
// ibeam, round, pipe, plate. A section group's a is the index of the chosen list entry (0 is
// the prompt) and b the length; the other groups take their dimensions in the order of their
// boxes. Texts never hold '|' or a line break.
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace kalvet;

struct Group {
    std::string_view name;
    SectionTable (*table)();  // nullptr for the dimension groups
};

constexpr Group kGroups[] = {
    {"channel", ChannelTable}, {"equal", EqualAngleTable}, {"unequal", UnequalAngleTable},
    {"ibeam", IBeamTable},     {"round", nullptr},         {"pipe", nullptr},
    {"plate", nullptr},
};

// mt19937_64's sequence is fixed by the standard; the library's distributions are not, so
// numbers are drawn from the raw output.
class Draw {
public:
    std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
    bool OneIn(std::uint64_t n) { return Below(n) == 0; }
    std::string Digits(std::uint64_t count) {
        std::string s;
        for (std::uint64_t i = 0; i < count; ++i) s += static_cast<char>('0' + Below(10));
        return s;
    }

private:
    std::mt19937_64 engine_{20261207};
};

// Texts at the edges of what is accepted: the limits, the smallest doubles, rounding ties.
constexpr const char* kEdges[] = {
    "100000", "99999.99999999999", "99999.999999999999", "1e5", "0.99999e5", "0", "-0",
    "0.0", "1e-320", "4.9e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
    "2.2250738585072011e-308", "1.7976931348623157e308", "1e308", "1e309", "1e-400",
    "0.000001", "0.00001", "1E+15", "7.85", "1e+00", "00000000000000000000001", ".5", "5.",
    "9007199254740993", "0.1", "0.30000000000000004", "123456789012345678901234567890",
};

// Texts that are refused, or nearly accepted.
constexpr const char* kRefused[] = {
    "", " ", "\t", "abc", "1,5", "0x10", "inf", "-inf", "nan", "1e", ".", "+", "-", "1..2",
    "1e+", "--1", "1 2", "1_000", "\xE3\x80", "\xEF\xBC", "\xFF", "1.5kg", "１，５", "e5",
    "+.e1", "1e5.5", "\xE3\x80\x82", "0b101", "1d5", "1f", "Ⅴ",
};

std::string FullWidth(char c, Draw& draw) {
    if (c >= '0' && c <= '9') return std::string("\xEF\xBC") + static_cast<char>(0x90 + (c - '0'));
    switch (c) {
        case '+': return "\xEF\xBC\x8B";
        case '-': return "\xEF\xBC\x8D";
        case '.': return draw.OneIn(2) ? "\xEF\xBC\x8E" : "\xE3\x80\x82";  // "。" counts too
        case 'E': return "\xEF\xBC\xA5";
        case 'e': return "\xEF\xBD\x85";
        case ' ': return "\xE3\x80\x80";
        default: return std::string(1, c);
    }
}

std::string Blank(Draw& draw) {
    switch (draw.Below(3)) {
        case 0: return " ";
        case 1: return "\t";
        default: return "\xE3\x80\x80";
    }
}

std::string NumberText(Draw& draw) {
    std::string s;
    const std::uint64_t kind = draw.Below(10);
    if (kind <= 4) {  // an everyday dimension
        s = std::to_string(draw.Below(100000));
        if (draw.OneIn(2)) s += "." + draw.Digits(1 + draw.Below(12));
    } else if (kind == 5) {  // any magnitude a double holds, and beyond
        s = draw.Digits(1 + draw.Below(20));
        if (draw.OneIn(2)) s.insert(static_cast<std::size_t>(draw.Below(s.size() + 1)), ".");
        s += draw.OneIn(2) ? "e" : "E";
        if (!draw.OneIn(3)) s += draw.OneIn(2) ? "-" : "+";
        s += std::to_string(draw.Below(420));
    } else if (kind == 6) {
        s = kEdges[draw.Below(std::size(kEdges))];
    } else if (kind == 7) {
        s = kRefused[draw.Below(std::size(kRefused))];
    } else if (kind == 8) {  // more digits than a double keeps
        s = draw.Digits(1 + draw.Below(30)) + "." + draw.Digits(draw.Below(40));
    } else {  // printable noise
        for (std::uint64_t n = draw.Below(8); n > 0; --n) {
            char c = static_cast<char>(' ' + draw.Below(95));
            if (c == '|') c = '/';
            s += c;
        }
    }
    if (draw.OneIn(5)) s.insert(0, draw.OneIn(2) ? "-" : "+");
    if (draw.OneIn(4)) {  // as a Chinese input method types it
        std::string wide;
        for (const char c : s) wide += draw.OneIn(4) ? std::string(1, c) : FullWidth(c, draw);
        s = wide;
    }
    if (draw.OneIn(8)) s = Blank(draw) + s;
    if (draw.OneIn(8)) s += Blank(draw);
    return s;
}

void Generate(long count) {
    Draw draw;
    std::string out;
    for (long i = 0; i < count; ++i) {
        const Group& g = kGroups[draw.Below(std::size(kGroups))];
        std::string a = g.table ? std::to_string(draw.Below(g.table().size() + 1)) : NumberText(draw);
        const std::string b = NumberText(draw);
        const std::string c = NumberText(draw);
        const std::string density = draw.OneIn(2) ? "7.85" : NumberText(draw);
        out.append(g.name).append("|").append(a).append("|").append(b).append("|");
        out.append(c).append("|").append(density).append("\n");
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar - start));
        if (bar == std::string_view::npos) return fields;
        start = bar + 1;
    }
}

// The result text of one case, or "?" for a line that is not a case.
std::string Run(std::string_view line) {
    const auto f = Fields(line);
    if (f.size() != 5) return "?";
    for (const Group& g : kGroups) {
        if (g.name != f[0]) continue;
        if (g.table) {
            const SectionTable table = g.table();
            const std::size_t entry = std::strtoul(std::string(f[1]).c_str(), nullptr, 10);
            const std::string_view shown =
                entry == 0 || entry > table.size() ? kListPrompt : table[entry - 1].designation;
            return ComputeSectionMass(table, shown, f[2]).value_or("(none)");
        }
        if (g.name == "round") return ComputeRoundBarMass(f[1], f[2], f[4]);
        if (g.name == "pipe") return ComputePipeMass(f[1], f[2], f[3], f[4]);
        return ComputePlateMass(f[1], f[2], f[3], f[4]);
    }
    return "?";
}

}  // namespace

int main(int argc, char* argv[]) {
    std::setlocale(LC_ALL, "");
#ifdef _WIN32
    // Byte for byte: no line-end translation, no end-of-file byte.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc == 3 && std::strcmp(argv[1], "--generate") == 0) {
        Generate(std::strtol(argv[2], nullptr, 10));
        return 0;
    }
    if (argc != 1) {
        std::fputs("usage: mass_cases [--generate COUNT] < cases > results\n", stderr);
        return 2;
    }
    std::string input;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) input.append(buffer, n);
    std::string out;
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        out.append(Run(std::string_view(input).substr(start, end - start))).append("\n");
        start = end + 1;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
