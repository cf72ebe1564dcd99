// Draws a script file the way the console's "Load..." then "Run" would, and
// saves the picture, so a script and its reference picture can be checked
// on the console's road as well as on veskel's:
//   console_render FILE -o PATH
// The file is read as "Load..." reads it, the text run as "Run" runs it, on
// the program's word set (core, turtle, then the console's words) and its
// 640 x 400 start image. What the console words print goes to standard
// output; an error goes to standard error as the console words it ("...
// at line N") with status 1, and nothing is saved. No display is needed:
// a box (alert, confirm) or bye in the script is an error here.
#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>

#include "app/console_run.h"
#include "console_words/console_words.h"
#include "toolkit/gtk_loader.h"
#include "turtle/image_format.h"
#include "forth/interp.h"
#include "app/script_file.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

int main(int argc, char** argv) {
    if (argc != 4 || std::string(argv[2]) != "-o") {
        std::cerr << "usage: console_render FILE -o PATH\n";
        return 2;
    }
    toolkit::loadGtkOrExit();
    turtle::TurtleState turtle(toolkit::gtkRaster());
    forth::Interp in;
    forth::registerCoreWords(in);
    turtle::registerTurtleWords(in, turtle);
    console_words::ConsoleHost host;
    host.append = [](std::string_view text) { std::cout << text; };
    host.alert = [](const std::string&) { throw std::runtime_error("alert has no window here"); };
    host.confirm = [](const std::string&) -> int { throw std::runtime_error("confirm has no window here"); };
    host.bye = [] { throw std::runtime_error("bye has no window here"); };
    console_words::registerConsoleWords(in, host);

    try {
        const std::string text = app::readScriptFile(argv[1]);
        if (const auto failure = app::runScriptText(in, text)) {
            std::cout.flush();
            std::cerr << failure->message << '\n';
            return 1;
        }
        std::cout.flush();
        turtle::saveByExtension(*turtle.image, argv[3]);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
