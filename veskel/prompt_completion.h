// Tab completion at the prompt: dictionary words and aliases, and after the
// $ and = sigils the names of the variables set so far.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forth/interp.h"

namespace veskel {

// What a partly typed word can become, sorted, each once.
std::vector<std::string> completionsFor(const forth::Interp& in, std::string_view partial);

// Hands readline's Tab to completionsFor on `in` while it lives. Readline
// calls its completion hook without any context, so the interpreter is
// reached through one pointer private to this file; one scope at a time.
class CompletionScope {
public:
    explicit CompletionScope(const forth::Interp& in);
    ~CompletionScope();
    CompletionScope(const CompletionScope&) = delete;
    CompletionScope& operator=(const CompletionScope&) = delete;
};

}  // namespace veskel
