// Form1 through the in-memory window, driven by a script of user actions, one to a line:
//
//   type Text9 12.5      puts "12.5" in a text box (the rest of the line, as typed)
//   pick Combo2 14       makes entry 14 of a list the shown one (0 is the prompt)
//   press Command5       a button press, routed as a front end would (any control)
//   click Text13         a mouse click in a box, routed likewise (any control)
//
// Lines the fuzzer garbles still act: an unknown verb or control name is hashed onto a real
// one, so every input is a session. After each press or click the window is compared with its
// state before: only the group's result box may change, and only to a mass text or the group's
// message; a click may only empty the clicked box.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form1.h"
#include "calc/calc.h"
#include "fake_window.h"
#include "tests/expected.h"

namespace {

using kalvet::ControlId;
using kalvet::ControlKind;
using kalvet::ControlItem;
using kalvet::testing::FakeWindow;

struct Outcome {
    ControlId button;
    ControlId result;
    std::string_view message;
};

// Each button's result box and message, from the worked examples that end in a message.
std::optional<Outcome> OutcomeOf(ControlId button) {
    for (const auto& r : kalvet::expected::kRoads) {
        if (r.button == button &&
            (r.shown == kalvet::expected::kSectionMessage || r.shown == kalvet::expected::kDimensionMessage)) {
            return Outcome{r.button, r.result, r.shown};
        }
    }
    return std::nullopt;
}

std::vector<ControlId> ControlsOfKind(ControlKind kind) {
    std::vector<ControlId> ids;
    for (const ControlItem& c : kalvet::Controls()) {
        if (c.kind == kind) ids.push_back(c.id);
    }
    return ids;
}

const std::vector<ControlId>& TextBoxes() {
    static const std::vector<ControlId> ids = ControlsOfKind(ControlKind::TextBox);
    return ids;
}

const std::vector<ControlId>& Lists() {
    static const std::vector<ControlId> ids = ControlsOfKind(ControlKind::ComboBox);
    return ids;
}

std::size_t Hash(std::string_view s) {
    std::size_t h = 0;
    for (const char c : s) h = h * 31 + static_cast<unsigned char>(c);
    return h;
}

// The control of that name, or, for a name the fuzzer made up, one picked by its hash
// among `pool` (all controls and None when the pool is empty).
ControlId Resolve(std::string_view name, const std::vector<ControlId>& pool) {
    for (const ControlItem& c : kalvet::Controls()) {
        if (c.name == name && (pool.empty() || c.kind == kalvet::ControlLayout(pool[0]).kind)) return c.id;
    }
    if (pool.empty()) return static_cast<ControlId>(Hash(name) % (kalvet::kControlCount + 1));
    return pool[Hash(name) % pool.size()];
}

// Everything a user could see.
struct State {
    std::vector<std::string> texts;  // in TextBoxes() order
    std::vector<std::size_t> entryCounts;
    std::vector<int> selections;     // both in Lists() order

    explicit State(const FakeWindow& w) {
        for (const ControlId id : TextBoxes()) texts.push_back(w.Text(id));
        for (const ControlId id : Lists()) {
            entryCounts.push_back(w.Entries(id).size());
            selections.push_back(w.Selected(id));
        }
    }
};

[[noreturn]] void Fail(const std::string& what, const FakeWindow& w) {
    std::fprintf(stderr, "property violated: %s\nwindow calls:\n%s\nwindow now:\n%s\n", what.c_str(),
                 w.Log().c_str(), w.Snapshot().c_str());
    std::abort();
}

// Exactly what MassText writes for a mass: a number, not negative, and in its canonical form.
bool IsMassText(const std::string& text) {
    const auto value = kalvet::NumberTextValue(text);
    if (!value || !(*value >= 0.0)) return false;
    // The largest masses round up past the largest double and read back as infinity.
    return std::isinf(*value) || kalvet::MassText(*value) == text;
}

void CheckUnchangedBut(const State& before, const State& after, ControlId allowed,
                       const FakeWindow& w, std::string_view action) {
    for (std::size_t i = 0; i < TextBoxes().size(); ++i) {
        if (TextBoxes()[i] != allowed && after.texts[i] != before.texts[i]) {
            Fail(std::string(action) + " changed " + std::string(kalvet::ControlLayout(TextBoxes()[i]).name) +
                     " from \"" + before.texts[i] + "\"",
                 w);
        }
    }
    if (after.entryCounts != before.entryCounts || after.selections != before.selections) {
        Fail(std::string(action) + " changed a list", w);
    }
}

std::string TextOf(const State& s, ControlId box) {
    for (std::size_t i = 0; i < TextBoxes().size(); ++i) {
        if (TextBoxes()[i] == box) return s.texts[i];
    }
    return {};
}

void Press(kalvet::Form1& form, FakeWindow& w, ControlId id) {
    const State before(w);
    form.ButtonClicked(id);
    const State after(w);
    const std::optional<Outcome> outcome = OutcomeOf(id);
    const std::string action = "a press of " +
        std::string(id == ControlId::None ? "None" : kalvet::ControlLayout(id).name);
    CheckUnchangedBut(before, after, outcome ? outcome->result : ControlId::None, w, action);
    if (!outcome) return;
    const std::string shown = TextOf(after, outcome->result);
    if (shown != TextOf(before, outcome->result) && shown != outcome->message && !IsMassText(shown)) {
        Fail(action + " showed \"" + shown + "\", neither a mass nor the group's message", w);
    }
}

void Click(kalvet::Form1& form, FakeWindow& w, ControlId id) {
    const State before(w);
    form.TextBoxClicked(id);
    const State after(w);
    const bool isBox = id != ControlId::None && kalvet::ControlLayout(id).kind == ControlKind::TextBox;
    const std::string action = "a click in " +
        std::string(id == ControlId::None ? "None" : kalvet::ControlLayout(id).name);
    CheckUnchangedBut(before, after, isBox ? id : ControlId::None, w, action);
    const std::string now = TextOf(after, id);
    if (isBox && now != TextOf(before, id) && !now.empty()) {
        Fail(action + " left \"" + now + "\" instead of emptying the box", w);
    }
}

void Pick(FakeWindow& w, ControlId list, std::string_view argument) {
    const auto& entries = w.Entries(list);
    if (entries.empty()) Fail("a list is empty after start-up", w);
    std::size_t index = 0;
    const auto digits = argument.substr(0, argument.find_first_not_of("0123456789"));
    if (digits.empty() || digits.size() > 6) {
        index = Hash(argument);
    } else {
        index = static_cast<std::size_t>(std::atoi(std::string(digits).c_str()));
    }
    // Choose() selects the first entry with that text, which is the one a user sees.
    if (!w.Choose(list, entries[index % entries.size()])) Fail("a listed entry cannot be chosen", w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    FakeWindow window;
    kalvet::Form1 form(window);
    kalvet::Form1::Form_Load(window);

    std::size_t pos = 0;
    while (pos < script.size()) {
        const std::size_t eol = std::min(script.find('\n', pos), script.size());
        const std::string_view line = script.substr(pos, eol - pos);
        pos = eol + 1;

        const std::size_t s1 = std::min(line.find(' '), line.size());
        const std::string_view verb = line.substr(0, s1);
        const std::string_view rest = s1 < line.size() ? line.substr(s1 + 1) : std::string_view();
        const std::size_t s2 = std::min(rest.find(' '), rest.size());
        const std::string_view name = rest.substr(0, s2);
        const std::string_view argument = s2 < rest.size() ? rest.substr(s2 + 1) : std::string_view();

        static const std::string_view kVerbs[] = {"type", "pick", "press", "click"};
        std::size_t action = Hash(verb) % 4;
        for (std::size_t i = 0; i < 4; ++i) {
            if (verb == kVerbs[i]) action = i;
        }
        switch (action) {
            case 0: window.Type(Resolve(name, TextBoxes()), argument); break;
            case 1: Pick(window, Resolve(name, Lists()), argument); break;
            case 2: Press(form, window, Resolve(name, {})); break;
            default: Click(form, window, Resolve(name, {})); break;
        }
        if (!window.Misuse().empty()) Fail("Form1 misused the window: " + window.Misuse()[0], window);
        window.ClearLog();
    }
    return 0;
}
