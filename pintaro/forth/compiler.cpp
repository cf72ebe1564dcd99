// Collecting mode: the bracket words that build blocks, texts and
// definitions, and the core sigils.
#include <memory>
#include <ostream>

#include "corewords.h"

namespace forth::core {

// start collecting a block up to "]"
void openBlock(Interp& in) {
    in.clearCompileBuffer();
    in.setTerminator("]");
}

// the collected words become the last block; the buffer keeps them
void closeBlock(Interp& in) { in.setLastBlock(in.shareCompileBuffer()); }

// start collecting a block up to "}"
void openBrace(Interp& in) {
    in.clearCompileBuffer();
    in.setTerminator("}");
}

void closeBrace(Interp& in) { in.setLastBlock(in.shareCompileBuffer()); }

// start collecting a text up to ")"
void openText(Interp& in) {
    in.clearCompileBuffer();
    in.setTerminator(")");
}

// the collected words, joined by single spaces, become the text buffer
void closeText(Interp& in) { in.setTextToCompileBuffer(); }

// collect a comment up to "*/"; the buffer is not emptied first
void openComment(Interp& in) { in.setTerminator("*/"); }

void closeComment(Interp& in) { in.clearCompileBuffer(); }

// define the word named by the text buffer from the compile buffer
void endDefinition(Interp& in) {
    std::string name = in.textBuffer();
    in.defineFromCompileBuffer(name);
}

void sigilStore(Interp& in, std::string_view name) {
    Value v = in.pop();
    in.setVariable(name, v);
}

void sigilFetch(Interp& in, std::string_view name) { in.push(in.variable(name)); }

// the text buffer becomes name
void sigilText(Interp& in, std::string_view name) { in.setTextBuffer(name); }

// name becomes an alias of the word named by the text buffer
void sigilAlias(Interp& in, std::string_view name) {
    std::string target = in.textBuffer();
    in.defineAlias(name, target);
}

// old form of definition from the last block
void sigilOldDefine(Interp& in, std::string_view name) {
    if (in.firstOldDefine()) in.warn("The / sigil is deprecated; use : to define words.\n");
    auto block = in.lastBlock() ? in.lastBlock() : std::make_shared<const WordList>();
    in.defineUserWord(name, block);
}

// print a dictionary word's definition
void sigilShow(Interp& in, std::string_view name) {
    const WordRecord& rec = in.lookupWord(name);
    in.print(rec.kind == WordKind::primWord ? std::string("(native code)\n") : joinWords(*rec.code) + '\n');
    in.flushOutput();
}

// start a definition collected up to ";"
void sigilDefine(Interp& in, std::string_view name) {
    in.setTextBuffer(name);
    in.clearCompileBuffer();
    in.setTerminator(";");
}

}  // namespace forth::core
