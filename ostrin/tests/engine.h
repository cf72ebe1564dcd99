// A heap with the bindings registered, for running snippets of script in
// protected calls so that a test sees errors instead of the fatal handler.
#pragma once

#include "ostrin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

[[noreturn]] inline void test_fatal(void*, const char* msg)
{
    ADD_FAILURE() << "fatal error: " << (msg ? msg : "(none)");
    std::abort();
}

struct engine {
    ostrin_heap heap = ostrin_create_heap(test_fatal);
    duk_context* ctx = heap.get();

    engine() { ostrin_bind_to(ctx); }

    // The result converted to text, or "throws <name>" for an error.
    std::string eval(const char* code)
    {
        std::string result;
        if (duk_peval_string(ctx, code) != 0) {
            duk_get_prop_string(ctx, -1, "name");
            result = std::string("throws ") + duk_safe_to_string(ctx, -1);
            duk_pop(ctx);
        } else {
            result = duk_safe_to_string(ctx, -1);
        }
        duk_pop(ctx);
        return result;
    }
};
