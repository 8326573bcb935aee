// Writes the page as it stands before the program's scripts are put in (markup.h): run at build
// time, with the same layout tables and the same Form_Load as the page itself, so the lists in
// the page hold exactly what Form1 fills them with.
#include <cstdio>

#include "app/form1.h"
#include "app/web/markup.h"

namespace {

using namespace kalvet;

// A window that only keeps what Form_Load puts into the lists.
class ListRecorder final : public Window {
public:
    explicit ListRecorder(web::ListContents& lists) : lists_(lists) {}
    std::string Text(ControlId) const override { return {}; }
    void SetText(ControlId, std::string_view) override {}
    void AddListEntry(ControlId list, std::string_view entry) override {
        lists_.entries[static_cast<std::size_t>(list)].emplace_back(entry);
    }
    void SelectListEntry(ControlId list, int index) override {
        lists_.selected[static_cast<std::size_t>(list)] = index;
    }
    std::string ShownEntry(ControlId) const override { return {}; }

private:
    web::ListContents& lists_;
};

}  // namespace

int main() {
    web::ListContents lists;
    ListRecorder window(lists);
    Form1(window).Form_Load();
    const std::string html = web::PageHtml(lists);
    return std::fwrite(html.data(), 1, html.size(), stdout) == html.size() ? 0 : 1;
}
