// Parsing of veskel's command line into a run plan and the drawing's options.
#include "options.h"

#include <climits>
#include <tuple>

#include "reference/generated_lists.h"
#include "output_files.h"
#include "reference/word_reference.h"

namespace veskel {

namespace {

// Where the options' descriptions start, and how wide the help is.
constexpr std::size_t kHelpIndent = 20;
constexpr std::size_t kHelpWidth = 79;

// The description of -o, which lists the save formats of the table.
std::string saveOptionHelp() {
    using reference::Markup;
    const std::string text = "after a clean run, save the image to PATH; the extension picks the format: " +
                             reference::fillTemplate("{raster-extensions} ({quality}), or {vector-extensions} "
                                                     "for the drawing as vectors",
                                                     Markup::Plain);
    std::string lines = reference::wrapParagraph(text, std::string(kHelpIndent, ' '), kHelpWidth);
    const std::string_view option = "  -o, --save PATH";
    return lines.replace(0, option.size(), option);
}

}  // namespace

const std::string& usageText() {
    static const std::string text = std::string("Usage: veskel [OPTION | FILE]...\n"
           "Run Veskel Forth scripts without a window; the turtle draws on an image in memory.\n"
           "\n"
           "  FILE              run a script file, line by line, as `included` does\n"
           "  -e TEXT           run TEXT as one line, as the drawing program's command line does\n") +
           saveOptionHelp() +
           "  --animate PATH    after a clean run, write an animation of the drawing being\n"
           "                    made to PATH (.webp), the turtle shown on every frame\n"
           "  --frame-every N   one animation frame every N drawing operations (default:\n"
           "                    the smallest N that keeps the animation within 300 frames)\n"
           "  --size WxH        start from a black image of W x H pixels (default 640x400),\n"
           "                    the turtle at its centre; at most 268435456 pixels\n"
           "  --open FILE       start from the picture in FILE (any format the image\n"
           "                    library reads), the turtle at its centre\n"
           "  --script-of PNG   print the script a PNG picture keeps and exit\n"
           "  --replay PNG      run the script a PNG picture keeps again, from the start\n"
           "                    it names; errors in it are reported and it goes on, as\n"
           "                    it did when the picture was drawn\n"
           "  --                treat every later argument as a file\n"
           "  --words           list every word with its stack effect and what it does,\n"
           "                    grouped (the reference in docs/reference.md), and exit\n"
           "  --help            show this help and exit\n"
           "  --version         show the version of the suite veskel belongs to and exit\n"
           "\n"
           "Files and -e texts run in the order given, on one interpreter. With neither,\n"
           "standard input is read: an interactive prompt on a terminal, otherwise a\n"
           "script. The first error of a non-interactive run is reported on standard\n"
           "error with its line number and ends the run with status 1; no image is\n"
           "saved then. A name that cannot be saved or written is refused with status 2\n"
           "before anything runs. No display is needed.\n"
           "\n"
           "A PNG that veskel or pintaro saves keeps the script that drew it in a text\n"
           "chunk; files of the other formats keep nothing.\n"
           "\n"
           "A tour of Veskel Forth: " VESKEL_DOC_DIR "/docs/tour.md\n"
           "Every word, with its stack effect: " VESKEL_DOC_DIR "/docs/reference.md,\n"
           "or veskel --words\n";
    return text;
}

std::string versionText() { return "veskel (Pintaro suite) " VESKEL_SUITE_VERSION "\n"; }

namespace {

// A decimal number from 1 to INT_MAX written with digits only, or what is
// wrong with it (the callers word the message).
enum class NumberFault { None, Malformed, Zero, TooLarge };

NumberFault readPositive(std::string_view digits, int& out) {
    if (digits.empty()) return NumberFault::Malformed;
    long long value = 0;
    for (char c : digits)
        if (c < '0' || c > '9') return NumberFault::Malformed;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return NumberFault::TooLarge;
    }
    if (value < 1) return NumberFault::Zero;
    out = static_cast<int>(value);
    return NumberFault::None;
}

// One side of a size.
int parseSide(std::string_view digits, std::string_view whole) {
    auto bad = [&](const char* why) { return UsageError("invalid size '" + std::string(whole) + "': " + why); };
    int value = 0;
    switch (readPositive(digits, value)) {
    case NumberFault::Malformed: throw bad("expected WIDTHxHEIGHT, such as 640x400");
    case NumberFault::Zero: throw bad("width and height must be at least 1");
    case NumberFault::TooLarge: throw bad("width and height must be at most 2147483647");
    case NumberFault::None: break;
    }
    return value;
}

// The value of an option written "--name VALUE", "--name=VALUE" or, for a
// short option, "-nVALUE"; advances i past a separate value.
std::string optionValue(std::string_view arg, std::string_view name, int argc, char** argv, int& i) {
    if (arg.size() > name.size()) {
        std::string_view rest = arg.substr(name.size());
        if (rest[0] == '=' && name.size() > 2) rest.remove_prefix(1);
        return std::string(rest);
    }
    if (i + 1 >= argc) throw UsageError("option " + std::string(name) + " needs a value");
    return argv[++i];
}

// True for "--name", "--name=..." and, for a short option, "-n...".
bool isOption(std::string_view arg, std::string_view name) {
    if (arg.substr(0, name.size()) != name) return false;
    if (arg.size() == name.size() || name.size() == 2) return true;
    return arg[name.size()] == '=';
}

}  // namespace

std::size_t parseFrameInterval(std::string_view text) {
    auto bad = [&](const char* why) {
        return UsageError("invalid frame interval '" + std::string(text) + "': " + why);
    };
    int value = 0;
    switch (readPositive(text, value)) {
    case NumberFault::Malformed: throw bad("expected a number of drawing operations, such as 10");
    case NumberFault::Zero: throw bad("it must be at least 1");
    case NumberFault::TooLarge: throw bad("it must be at most 2147483647");
    case NumberFault::None: break;
    }
    return static_cast<std::size_t>(value);
}

std::pair<int, int> parseSize(std::string_view text) {
    const auto cut = text.find_first_of("xX");
    if (cut == std::string_view::npos) parseSide({}, text);
    return {parseSide(text.substr(0, cut), text), parseSide(text.substr(cut + 1), text)};
}

Options parseOptions(int argc, char** argv) {
    Options opts;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (filesOnly || arg == "-" || arg.empty() || arg[0] != '-') {
            opts.plan.push_back({Step::Kind::File, std::string(arg)});
        } else if (arg == "--") {
            filesOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            opts.help = true;
        } else if (arg == "--version") {
            opts.version = true;
        } else if (arg == "--words") {
            opts.words = true;
        } else if (arg == "-e") {
            if (i + 1 >= argc) throw UsageError("option -e needs a text");
            opts.plan.push_back({Step::Kind::Text, argv[++i]});
        } else if (arg.size() > 2 && arg.substr(0, 2) == "-e") {
            opts.plan.push_back({Step::Kind::Text, std::string(arg.substr(2))});
        } else if (isOption(arg, "-o") || isOption(arg, "--save")) {
            const std::string_view name = arg[1] == 'o' ? "-o" : "--save";
            std::string path = optionValue(arg, name, argc, argv, i);
            if (path.empty()) throw UsageError("option " + std::string(name) + " needs a file name");
            // Refused before anything runs, so a long script never ends in
            // a picture that cannot be written.
            pictureFormatFor(path);
            checkWritable(path);
            opts.savePaths.push_back(std::move(path));
        } else if (isOption(arg, "--animate")) {
            std::string path = optionValue(arg, "--animate", argc, argv, i);
            if (path.empty()) throw UsageError("option --animate needs a file name");
            checkAnimationName(path);
            checkWritable(path);
            opts.animationPaths.push_back(std::move(path));
        } else if (isOption(arg, "--frame-every")) {
            opts.frameEvery = parseFrameInterval(optionValue(arg, "--frame-every", argc, argv, i));
        } else if (isOption(arg, "--size")) {
            std::tie(opts.width, opts.height) = parseSize(optionValue(arg, "--size", argc, argv, i));
            opts.sizeGiven = true;
        } else if (isOption(arg, "--script-of")) {
            opts.scriptOf = optionValue(arg, "--script-of", argc, argv, i);
            if (opts.scriptOf.empty()) throw UsageError("option --script-of needs a file name");
        } else if (isOption(arg, "--replay")) {
            opts.replay = optionValue(arg, "--replay", argc, argv, i);
            if (opts.replay.empty()) throw UsageError("option --replay needs a file name");
        } else if (isOption(arg, "--open")) {
            opts.openPath = optionValue(arg, "--open", argc, argv, i);
            if (opts.openPath.empty()) throw UsageError("option --open needs a file name");
        } else {
            throw UsageError("unknown option: " + std::string(arg));
        }
    }
    if (opts.frameEvery && opts.animationPaths.empty())
        throw UsageError("option --frame-every needs --animate");
    // Both read what the picture says: nothing else may say otherwise.
    if (!opts.scriptOf.empty() && (!opts.plan.empty() || !opts.savePaths.empty() || !opts.animationPaths.empty() ||
                                   opts.sizeGiven || !opts.replay.empty() || !opts.openPath.empty()))
        throw UsageError("--script-of takes no other option or script");
    if (!opts.replay.empty() && (!opts.plan.empty() || opts.sizeGiven || !opts.openPath.empty()))
        throw UsageError("--replay takes its script and size from the picture: give no script, --size or --open");
    // The picture gives the size; two answers to one question are a mistake.
    if (opts.sizeGiven && !opts.openPath.empty()) throw UsageError("--open and --size cannot be used together");
    return opts;
}

}  // namespace veskel
