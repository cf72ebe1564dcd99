// make_reference: writes the word reference, made from the registration
// tables, to standard output, for the build (docs/reference.md, the word
// list of veskel-forth(7)) and its test; a file with its generated regions
// refilled from the table of save formats (generated_lists.h); or one
// template filled as plain text, for the tests ("{veskel-refusal}").
//   make_reference markdown | text | scdoc | regions FILE | fill TEMPLATE
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

#include "generated_lists.h"
#include "word_reference.h"

namespace {

// Writes what `make` gives, or its error after `what` ("make_reference: ...").
template <typename Make>
int print(std::string_view what, Make make) {
    try {
        std::cout << make();
    } catch (const std::exception& e) {
        std::cerr << "make_reference: " << what << e.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

int refill(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        std::cerr << "make_reference: cannot read " << path << '\n';
        return 1;
    }
    return print(std::string(path) + ", ",
                 [&] { return reference::refillRegions(text.str(), reference::markupForPath(path)); });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc >= 2 ? argv[1] : "";
    if (argc == 3 && mode == "regions") return refill(argv[2]);
    if (argc == 3 && mode == "fill")
        return print("", [&] { return reference::fillTemplate(argv[2], reference::Markup::Plain) + '\n'; });
    std::string (*render)(const reference::WordReference&) = nullptr;
    if (argc == 2 && mode == "markdown")
        render = reference::renderMarkdown;
    else if (argc == 2 && mode == "text")
        render = reference::renderText;
    else if (argc == 2 && mode == "scdoc")
        render = reference::renderScdoc;
    else {
        std::cerr << "Usage: make_reference markdown|text|scdoc|regions FILE|fill TEMPLATE\n";
        return 2;
    }
    return print("", [&] { return render(reference::gatherWordReference()); });
}
