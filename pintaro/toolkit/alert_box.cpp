// The application's alert box: a native dialog with a message and "OK".
#include "application.h"
#include "error_guard.h"
#include "gtk_object.h"
#include "toolkit_limits.h"
#include "window.h"

namespace toolkit {

namespace {

// The caller's closing key, watched while the dialog runs. The dialog's
// keys go to GTK, not through a window of the layer, so the held keys are
// kept here the same way: a test such as "Escape with Shift held" then
// reads them as it would in any window.
struct AlertKeys {
    GtkWidget* dialog;
    const std::function<bool(const KeyEvent&)>& endsBox;
    bool ended = false;
};

int onAlertKeyPress(GtkWidget*, GdkEventKey* event, void* data) {
    bool handled = false;
    guarded([&] {
        auto* keys = static_cast<AlertKeys*>(data);
        KeyEvent e;
        e.key = keyCodeFromKeyval(event->keyval);
        e.text = event->string ? event->string : "";
        e.unicode = gtk().gdk_keyval_to_unicode(event->keyval);
        Application::current().keyPressed(e.key);
        if (keys->ended || !keys->endsBox(e)) return;
        keys->ended = true;
        handled = true;
        // Hiding ends the dialog's own loop, as a response would.
        gtk().gtk_widget_hide(keys->dialog);
    });
    return handled;
}

int onAlertKeyRelease(GtkWidget*, GdkEventKey* event, void*) {
    guarded([&] { Application::current().keyReleased(keyCodeFromKeyval(event->keyval)); });
    return FALSE;
}

}  // namespace

void Application::alertBox(Window* parent, const std::string& message, const std::string& title) {
    alertBox(parent, message, title, {});
}

bool Application::alertBox(Window* parent, const std::string& message, const std::string& title,
                           const std::function<bool(const KeyEvent&)>& endsBox) {
    current();
    const GtkApi& g = gtk();
    GtkWidget* dialog = g.gtk_dialog_new();
    g.gtk_window_set_title(as<GtkWindow>(dialog), title.c_str());
    // The dialog's size is not scaled; it grows to fit a longer message.
    g.gtk_window_set_default_size(as<GtkWindow>(dialog), limits::kAlertWidth, limits::kAlertHeight);

    GtkWidget* content = g.gtk_dialog_get_content_area(as<GtkDialog>(dialog));
    g.gtk_container_set_border_width(as<GtkContainer>(content), limits::kAlertBorder);
    GtkWidget* label = g.gtk_label_new(message.c_str());
    g.gtk_box_pack_start(as<GtkBox>(content), label, FALSE, FALSE, 0);
    g.gtk_widget_show(label);

    GtkWidget* buttons = g.gtk_dialog_get_action_area(as<GtkDialog>(dialog));
    g.gtk_button_box_set_layout(as<GtkButtonBox>(buttons), GTK_BUTTONBOX_CENTER);
    g.gtk_widget_set_margin_top(buttons, limits::kAlertBorder);
    g.gtk_dialog_add_button(as<GtkDialog>(dialog), "OK", 1);

    if (parent && parent->platformWindow())
        g.gtk_window_set_transient_for(as<GtkWindow>(dialog), as<GtkWindow>(parent->platformWindow()));

    // Lives until the dialog is destroyed below, after its last signal.
    AlertKeys keys{dialog, endsBox};
    if (endsBox) {
        connectSignal(dialog, "key-press-event", G_CALLBACK(&onAlertKeyPress), &keys);
        connectSignal(dialog, "key-release-event", G_CALLBACK(&onAlertKeyRelease), &keys);
    }

    g.gtk_dialog_run(as<GtkDialog>(dialog));  // the response is not used
    g.gtk_widget_hide(dialog);
    g.gtk_widget_destroy(dialog);
    return keys.ended;
}

}  // namespace toolkit
