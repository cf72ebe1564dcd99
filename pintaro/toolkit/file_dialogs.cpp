#include "file_dialogs.h"

#include "application.h"
#include "gtk_object.h"
#include "window.h"

namespace toolkit {
namespace {

GtkWindow* parentOf(Window* parent) {
    return parent && parent->platformWindow() ? as<GtkWindow>(parent->platformWindow()) : nullptr;
}

// Destroys the chooser however the run ends.
struct DialogCloser {
    GtkWidget* dialog;
    ~DialogCloser() { gtk().gtk_widget_destroy(dialog); }
};

}  // namespace

void OpenFileDialog::run(Window* parent) {
    Application::current();
    fFiles.clear();
    const GtkApi& g = gtk();
    GtkWidget* dialog = g.gtk_file_chooser_dialog_new(fTitle.c_str(), parentOf(parent), GTK_FILE_CHOOSER_ACTION_OPEN,
                                                      "Cancel", GTK_RESPONSE_CANCEL, "Open", GTK_RESPONSE_ACCEPT,
                                                      nullptr);
    DialogCloser closer{dialog};
    if (!fDirectory.empty()) g.gtk_file_chooser_set_current_folder(as<GtkFileChooser>(dialog), fDirectory.c_str());
    g.gtk_file_chooser_set_select_multiple(as<GtkFileChooser>(dialog), fMultiple);
    for (const FileFilter& f : fFilters) {
        // The chooser takes the new filter's floating reference.
        GtkFileFilter* filter = g.gtk_file_filter_new();
        g.gtk_file_filter_set_name(filter, f.name.c_str());
        for (const std::string& pattern : f.patterns) g.gtk_file_filter_add_pattern(filter, pattern.c_str());
        g.gtk_file_chooser_add_filter(as<GtkFileChooser>(dialog), filter);
    }
    if (g.gtk_dialog_run(as<GtkDialog>(dialog)) != GTK_RESPONSE_ACCEPT) return;
    GSList* names = g.gtk_file_chooser_get_filenames(as<GtkFileChooser>(dialog));
    const guint count = g.g_slist_length(names);
    for (guint i = 0; i < count; ++i)
        fFiles.push_back(takeGlibString(static_cast<gchar*>(g.g_slist_nth_data(names, i))));
    if (g.g_slist_free) g.g_slist_free(names);
}

void SaveFileDialog::run(Window* parent) {
    Application::current();
    fFile.clear();
    const GtkApi& g = gtk();
    GtkWidget* dialog = g.gtk_file_chooser_dialog_new(fTitle.c_str(), parentOf(parent), GTK_FILE_CHOOSER_ACTION_SAVE,
                                                      "Cancel", GTK_RESPONSE_CANCEL, "Save", GTK_RESPONSE_ACCEPT,
                                                      nullptr);
    DialogCloser closer{dialog};
    if (!fDirectory.empty()) g.gtk_file_chooser_set_current_folder(as<GtkFileChooser>(dialog), fDirectory.c_str());
    if (!fDefaultName.empty()) g.gtk_file_chooser_set_current_name(as<GtkFileChooser>(dialog), fDefaultName.c_str());
    if (g.gtk_dialog_run(as<GtkDialog>(dialog)) != GTK_RESPONSE_ACCEPT) return;
    fFile = takeGlibString(g.gtk_file_chooser_get_filename(as<GtkFileChooser>(dialog)));
}

}  // namespace toolkit
