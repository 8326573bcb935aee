// Writes the page as it stands before the program's scripts are put in (markup.h), run at build
// time with the same layout tables and the same Form_Load as the page itself, so the lists in
// the page hold exactly what Form1 fills them with. The file is JSON: the page, the marks where
// the scripts and their hashes go, and the document element's attributes (page.h), for the
// script that puts the page together and for the tests, which spell none of them again.
//
//   node write_page.js OUT.json
#include <cstdio>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/web/markup.h"
#include "app/web/page.h"

namespace {

using namespace kalvet;

// Only what Form_Load puts into the lists.
class ListRecorder final : public ListFiller {
public:
    explicit ListRecorder(web::ListContents& lists) : lists_(lists) {}
    void AddListEntry(ControlId list, std::string_view entry) override {
        lists_.entries[static_cast<std::size_t>(list)].emplace_back(entry);
    }
    void SelectListEntry(ControlId list, int index) override {
        lists_.selected[static_cast<std::size_t>(list)] = index;
    }

private:
    web::ListContents& lists_;
};

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    web::ListContents lists;
    ListRecorder recorder(lists);
    Form1::Form_Load(recorder);
    const std::string json =
        "{\"page\":" + Json(web::PageHtml(lists)) + ",\"marks\":{\"loader\":" + Json(web::kLoaderMark) +
        ",\"program\":" + Json(web::kProgramMark) + ",\"scriptHashes\":" + Json(web::kScriptHashesMark) +
        "},\"attributes\":{\"ready\":" + Json(web::kReadyAttribute) + ",\"failed\":" +
        Json(web::kFailedAttribute) + ",\"captionsFitted\":" + Json(web::kCaptionsFittedAttribute) + "}}\n";
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) return 1;
    const bool written = std::fwrite(json.data(), 1, json.size(), out) == json.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
