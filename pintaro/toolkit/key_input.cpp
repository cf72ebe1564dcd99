#include "key_input.h"

#include <cstdio>

#include "application.h"
#include "error_guard.h"

namespace toolkit {
namespace {

// The first code point of UTF-8 text (0 for empty or malformed text).
char32_t firstCodePoint(const std::string& s) {
    if (s.empty()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    int extra = p[0] < 0x80 ? 0 : (p[0] >> 5) == 6 ? 1 : (p[0] >> 4) == 14 ? 2 : (p[0] >> 3) == 30 ? 3 : -1;
    if (extra < 0 || s.size() < static_cast<size_t>(extra) + 1) return 0;
    char32_t cp = extra == 0 ? p[0] : p[0] & (0x3f >> extra);
    for (int i = 1; i <= extra; ++i) cp = (cp << 6) | (p[i] & 0x3f);
    return cp;
}

}  // namespace

InputMethod::InputMethod(std::function<void(const std::string&)> onLateCommit)
    : fContext(gtk().gtk_im_multicontext_new()), fOnLateCommit(std::move(onLateCommit)) {
    connectSignal(fContext.get(), "commit", G_CALLBACK(&InputMethod::onCommit), this);
}

bool InputMethod::filter(GdkEventKey* event, std::string& committed) {
    fFiltering = true;
    fCommitted.clear();
    const bool taken = gtk().gtk_im_context_filter_keypress(as<GtkIMContext>(fContext.get()), event);
    fFiltering = false;
    committed.swap(fCommitted);
    return taken;
}

void InputMethod::onCommit(GtkIMContext*, const gchar* text, gpointer self) {
    auto* im = static_cast<InputMethod*>(self);
    if (im->fFiltering) {
        im->fCommitted += text;
        return;
    }
    std::string copy(text ? text : "");
    guarded([&] { im->fOnLateCommit(copy); });
}

bool dispatchKeyPress(GdkEventKey* event, InputMethod& inputMethod, KeyCode& keyPressed,
                      const KeyHandler& handler, Window* window, Control* control) {
    const KeyCode code = keyCodeFromKeyval(event->keyval);
    keyPressed = code;
    Application::current().keyPressed(code);

    std::string composed;
    const bool taken = inputMethod.filter(event, composed);
    if (taken && code == Key_None) {
        if (!composed.empty()) dispatchCommittedText(composed, handler, window, control);
        return false;
    }
    if (code == Key_None) {
        std::printf("Unknown key value: %u\n", event->keyval);
        std::fflush(stdout);
        return false;
    }
    if (!handler) return false;
    KeyEvent e;
    e.window = window;
    e.control = control;
    e.key = code;
    // What the key typed; a composed character (after a dead key) replaces
    // the key's own text so that it is not lost.
    e.text = !composed.empty() ? composed : (event->string ? event->string : "");
    e.unicode = gtk().gdk_keyval_to_unicode(event->keyval);
    handler(e);
    return e.handled;
}

void dispatchCommittedText(const std::string& text, const KeyHandler& handler, Window* window,
                           Control* control) {
    if (!handler) return;
    KeyEvent e;
    e.window = window;
    e.control = control;
    e.key = Key_None;
    e.text = text;
    e.unicode = firstCodePoint(text);
    handler(e);
}

}  // namespace toolkit
