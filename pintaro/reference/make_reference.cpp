// make_reference: writes the word reference, made from the registration
// tables, to standard output, for the build (docs/reference.md, the word
// list of veskel-forth(7)) and its test; or the table of save formats, one
// "EXTENSION NAME raster|vector" line each, that the tests hold veskel's
// help and completion to.
//   make_reference markdown | text | scdoc | save-formats
#include <exception>
#include <iostream>
#include <string_view>

#include "turtle/image_format.h"
#include "word_reference.h"

int main(int argc, char** argv) {
    const std::string_view format = argc == 2 ? argv[1] : "";
    if (format == "save-formats") {
        for (const turtle::SaveFormat& f : turtle::saveFormats())
            std::cout << f.extension << ' ' << f.name << ' '
                      << (f.kind == turtle::SaveKind::Raster ? "raster" : "vector") << '\n';
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    std::string (*render)(const reference::WordReference&) = nullptr;
    if (format == "markdown")
        render = reference::renderMarkdown;
    else if (format == "text")
        render = reference::renderText;
    else if (format == "scdoc")
        render = reference::renderScdoc;
    else {
        std::cerr << "Usage: make_reference markdown|text|scdoc|save-formats\n";
        return 2;
    }
    try {
        std::cout << render(reference::gatherWordReference());
    } catch (const std::exception& e) {
        std::cerr << "make_reference: " << e.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
