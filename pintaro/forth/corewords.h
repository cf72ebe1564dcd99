// The core words and sigils, shared between the files that implement them
// and the registration table.
#pragma once

#include <cstdint>
#include <string_view>

#include "interp.h"

namespace forth::core {

// Reader words (compiler.cpp).
void openBlock(Interp&);      // [
void closeBlock(Interp&);     // ]
void openBrace(Interp&);      // {
void closeBrace(Interp&);     // }
void openText(Interp&);       // (
void closeText(Interp&);      // )
void openComment(Interp&);    // /*
void closeComment(Interp&);   // */
void endDefinition(Interp&);  // ;

// Core sigils (compiler.cpp).
void sigilStore(Interp&, std::string_view);     // =
void sigilFetch(Interp&, std::string_view);     // $
void sigilText(Interp&, std::string_view);      // '
void sigilAlias(Interp&, std::string_view);     // @
void sigilOldDefine(Interp&, std::string_view); // /
void sigilShow(Interp&, std::string_view);      // ?
void sigilDefine(Interp&, std::string_view);    // :

// Control words (control.cpp).
void execute(Interp&);
void interpret(Interp&);
void included(Interp&);
void times(Interp&);
void ifTrue(Interp&);
void ifFalse(Interp&);
void whileWord(Interp&);
void untilWord(Interp&);
void repeat(Interp&);

// Which control word this is, for the interpreter to run a block collected
// just before it as a frame of its own dispatch loop, without holding
// another reference to it (the running list holds it): what the word does
// to the stack, the pass counter and the poll, it does the same.
enum class BodyUse : std::uint8_t { None, IfTrue, IfFalse, Times };
BodyUse bodyUseOf(void (*word)(Interp&));

}  // namespace forth::core
