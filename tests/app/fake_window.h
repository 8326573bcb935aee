// An in-memory window for testing Form1 without a toolkit: it holds every text box's text and
// every list's entries and selection, starts from the layout's initial texts, and records each
// call so a failing check can show what Form1 did.
#pragma once

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "app/window.h"

namespace kalvet::testing {

class FakeWindow : public Window, public ListFiller {
public:
    FakeWindow() {
        for (const ControlItem& c : Controls()) texts_[Index(c.id)] = std::string(c.text);
    }

    std::string Text(ControlId id) const override {
        Expect(id, ControlKind::TextBox, "Text");
        return texts_[Index(id)];
    }
    void SetText(ControlId id, std::string_view text) override {
        Expect(id, ControlKind::TextBox, "SetText");
        log_.push_back("SetText " + std::string(ControlLayout(id).name) + " \"" + std::string(text) + "\"");
        texts_[Index(id)] = std::string(text);
    }
    void AddListEntry(ControlId list, std::string_view entry) override {
        Expect(list, ControlKind::ComboBox, "AddListEntry");
        entries_[Index(list)].emplace_back(entry);
    }
    void SelectListEntry(ControlId list, int index) override {
        Expect(list, ControlKind::ComboBox, "SelectListEntry");
        log_.push_back("Select " + std::string(ControlLayout(list).name) + " " + std::to_string(index));
        if (index < 0 || static_cast<std::size_t>(index) >= entries_[Index(list)].size()) {
            misuse_.push_back("SelectListEntry beyond the entries of " + std::string(ControlLayout(list).name));
            return;
        }
        selected_[Index(list)] = index;
    }
    std::string ShownEntry(ControlId list) const override {
        Expect(list, ControlKind::ComboBox, "ShownEntry");
        const int i = selected_[Index(list)];
        return i < 0 ? std::string() : entries_[Index(list)][static_cast<std::size_t>(i)];
    }

    // What a user does: type into a box, pick a list entry by its text.
    void Type(ControlId id, std::string_view text) { texts_[Index(id)] = std::string(text); }
    bool Choose(ControlId list, std::string_view entry) {
        const auto& e = entries_[Index(list)];
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (e[i] == entry) {
                selected_[Index(list)] = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }

    const std::vector<std::string>& Entries(ControlId list) const { return entries_[Index(list)]; }
    int Selected(ControlId list) const { return selected_[Index(list)]; }

    // Everything a user could see: every text and every list's entries and selection.
    std::string Snapshot() const {
        std::ostringstream out;
        for (const ControlItem& c : Controls()) {
            if (c.kind == ControlKind::TextBox) out << c.name << "=" << texts_[Index(c.id)] << "\n";
            if (c.kind == ControlKind::ComboBox) {
                out << c.name << "#" << entries_[Index(c.id)].size() << "@"
                    << selected_[Index(c.id)] << "\n";
            }
        }
        return out.str();
    }

    // Calls Form1 made that its contract forbids (wrong control kind, bad index).
    const std::vector<std::string>& Misuse() const { return misuse_; }
    std::string Log() const {
        std::string all;
        for (const auto& line : log_) all += line + "\n";
        return all;
    }
    void ClearLog() { log_.clear(); }

private:
    static std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }
    void Expect(ControlId id, ControlKind kind, const char* call) const {
        if (id == ControlId::None || ControlLayout(id).kind != kind) {
            misuse_.push_back(std::string(call) + " on " +
                              (id == ControlId::None ? "None" : std::string(ControlLayout(id).name)));
        }
    }

    std::array<std::string, kControlCount> texts_;
    std::array<std::vector<std::string>, kControlCount> entries_;
    std::array<int, kControlCount> selected_{[] {
        std::array<int, kControlCount> a{};
        a.fill(-1);
        return a;
    }()};
    std::vector<std::string> log_;
    mutable std::vector<std::string> misuse_;
};

}  // namespace kalvet::testing
