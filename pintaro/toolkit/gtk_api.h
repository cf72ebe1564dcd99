// Typed access to GTK 3 without linking it. The cairo, pango and gdk-pixbuf
// functions resolved from the same library go into the raster table
// (raster/raster_api.h, reached through gtkRaster()).
//
// The development headers supply only the types: every pointer below is
// declared as decltype(&function), so the compiler checks each call against
// the real prototype while the program itself never references the symbol.
// The pointers are filled by loadGtk() (gtk_loader.h); calling one before a
// successful load dereferences null. Only the toolkit layer includes this.
#pragma once

// Several functions we must resolve by name (gtk_widget_modify_font,
// gtk_widget_override_color, ...) are deprecated; we only take their types.
#ifndef GDK_DISABLE_DEPRECATION_WARNINGS
#define GDK_DISABLE_DEPRECATION_WARNINGS
#endif
#include <gtk/gtk.h>

#include "gtk_functions.h"
#include "raster/raster_api.h"

namespace toolkit {

struct GtkApi {
#define PINTARO_GTK_POINTER(name) decltype(&::name) name = nullptr;
#define PINTARO_GTK_RASTER_ENTRY(name)
    PINTARO_GTK_FUNCTIONS(PINTARO_GTK_POINTER, PINTARO_GTK_RASTER_ENTRY)
    PINTARO_GTK_OPTIONAL_FUNCTIONS(PINTARO_GTK_POINTER)
#undef PINTARO_GTK_RASTER_ENTRY
#undef PINTARO_GTK_POINTER
};

// The process-wide table. Filled once by loadGtk(); read-only afterwards.
const GtkApi& gtk();

}  // namespace toolkit
