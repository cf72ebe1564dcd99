// Why a thread and not a larger limit: the main thread's stack can only grow
// up to the limit the process started with (`ulimit -s 512` sets the hard
// limit as well), and the engine's recursion limits are fixed when the
// library is built, so neither can be fitted to the other at run time. A
// thread's stack is allocated at the size asked for.
#include "script_stack.h"

#include "ostrin_limits.h"
#include "signal_restore.h"

#include <pthread.h>
#include <signal.h>

namespace {

struct script_call {
    int (*body)(void*) noexcept;
    void* data;
    sigset_t mask;  // the caller's signal mask, for the script thread
    int result = 0;
};

extern "C" void* script_thread(void* arg)
{
    auto* call = static_cast<script_call*>(arg);
    pthread_sigmask(SIG_SETMASK, &call->mask, nullptr);
    ostrin_signal_stack own_stack;
    call->result = call->body(call->data);
    return nullptr;
}

class thread_attributes {
public:
    thread_attributes() { ok_ = pthread_attr_init(&attr_) == 0; }
    ~thread_attributes()
    {
        if (ok_)
            pthread_attr_destroy(&attr_);
    }
    thread_attributes(const thread_attributes&) = delete;
    thread_attributes& operator=(const thread_attributes&) = delete;

    // The attributes, or nullptr when they could not be set up.
    pthread_attr_t* sized(std::size_t stack, std::size_t guard)
    {
        if (!ok_ || pthread_attr_setstacksize(&attr_, stack) != 0 ||
            pthread_attr_setguardsize(&attr_, guard) != 0)
            return nullptr;
        return &attr_;
    }

private:
    pthread_attr_t attr_{};
    bool ok_ = false;
};

} // namespace

int ostrin_run_on_script_stack(int (*body)(void* data) noexcept, void* data)
{
    script_call call{body, data, {}};
    // The new thread starts with every signal blocked and unblocks what the
    // caller had; the caller keeps them blocked while it waits, so that a
    // signal for the process is delivered to the script thread, where
    // curses waits for keys (a resize must interrupt that wait).
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &call.mask);
    thread_attributes attributes;
    pthread_attr_t* attr = attributes.sized(ostrin_script_stack_size, ostrin_script_stack_guard);
    pthread_t thread{};
    if (attr != nullptr && pthread_create(&thread, attr, script_thread, &call) == 0) {
        pthread_join(thread, nullptr);
        return call.result;
    }
    pthread_sigmask(SIG_SETMASK, &call.mask, nullptr);
    return body(data);
}
