#include "popup_menu.h"

#include "error_guard.h"
#include "gtk_loader.h"
#include "gtk_object.h"

namespace toolkit {

struct PopupMenu::Impl {
    std::vector<MenuEntry> entries;
    // Our own reference: the menu is attached to no widget and lives as
    // long as this object.
    GtkWidget* menu = nullptr;

    static void onActivate(GtkWidget*, void* entry) {
        guarded([&] {
            // Copied: the action may replace the menu's entries.
            const std::function<void()> action = static_cast<MenuEntry*>(entry)->action;
            if (action) action();
        });
    }

    void fill(GtkWidget* into, bool separated) {
        const GtkApi& g = gtk();
        if (separated) {
            GtkWidget* separator = g.gtk_separator_menu_item_new();
            g.gtk_menu_shell_append(as<GtkMenuShell>(into), separator);
            g.gtk_widget_show(separator);
        }
        for (MenuEntry& e : entries) {
            GtkWidget* item = g.gtk_menu_item_new_with_label(e.label.c_str());
            connectSignal(item, "activate", G_CALLBACK(&Impl::onActivate), &e);
            g.gtk_menu_shell_append(as<GtkMenuShell>(into), item);
            g.gtk_widget_show(item);
        }
    }
};

PopupMenu::PopupMenu(std::vector<MenuEntry> entries) : fImpl(std::make_unique<Impl>()) {
    fImpl->entries = std::move(entries);
    const GtkApi& g = initializedGtk();
    fImpl->menu = g.gtk_menu_new();
    // The menu starts floating; sinking it makes the reference ours.
    (g.g_object_ref_sink)(fImpl->menu);
    fImpl->fill(fImpl->menu, false);
}

PopupMenu::~PopupMenu() {
    gtk().gtk_widget_destroy(fImpl->menu);
    gtkRaster().g_object_unref(fImpl->menu);
}

void PopupMenu::popUpAtPointer() { gtk().gtk_menu_popup_at_pointer(as<GtkMenu>(fImpl->menu), nullptr); }

void PopupMenu::appendTo(void* menu) {
    const GtkApi& g = gtk();
    // A touch screen gets a popover instead of a menu: nothing is added to it.
    if (!g.g_type_check_instance_is_a(static_cast<GTypeInstance*>(menu), g.gtk_menu_get_type())) return;
    fImpl->fill(static_cast<GtkWidget*>(menu), true);
}

}  // namespace toolkit
