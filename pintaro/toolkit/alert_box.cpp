// The application's alert box: a native dialog with a message and "OK".
#include "application.h"
#include "gtk_object.h"
#include "toolkit_limits.h"
#include "window.h"

namespace toolkit {

void Application::alertBox(Window* parent, const std::string& message, const std::string& title) {
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

    g.gtk_dialog_run(as<GtkDialog>(dialog));  // the response is not used
    g.gtk_widget_hide(dialog);
    g.gtk_widget_destroy(dialog);
}

}  // namespace toolkit
