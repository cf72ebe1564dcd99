// The cairo, pango and gdk-pixbuf functions the raster layer draws, measures,
// loads and saves with. This is the one list: raster_api.h expands it into
// the typed table, and each loader into the names it resolves.
//
// PINTARO_RASTER_FUNCTIONS are also among the GTK functions the drawing
// program loads (gtk_functions.h expands them into that list, in three
// runs); PINTARO_RASTER_EXTRA_FUNCTIONS are resolved after that list.
#pragma once

// clang-format off
// The raster functions that GTK's list resolves in three runs, with the
// widget layer's own functions between them (gtk_functions.h); together,
// in this order, they are the raster list.
#define PINTARO_RASTER_DRAWING_AND_LOADING_FUNCTIONS(X) \
    X(pango_cairo_create_layout) \
    X(pango_layout_set_text) \
    X(pango_font_description_free) \
    X(pango_font_description_new) \
    X(pango_font_description_set_family) \
    X(pango_font_description_set_size) \
    X(pango_font_description_set_weight) \
    X(pango_layout_set_font_description) \
    X(cairo_save) \
    X(cairo_translate) \
    X(pango_cairo_show_layout) \
    X(cairo_restore) \
    X(cairo_move_to) \
    X(cairo_line_to) \
    X(cairo_set_line_width) \
    X(cairo_stroke) \
    X(cairo_rectangle) \
    X(cairo_fill) \
    X(cairo_scale) \
    X(cairo_arc) \
    X(cairo_set_source_surface) \
    X(cairo_paint) \
    X(cairo_pattern_set_filter) \
    X(cairo_get_source) \
    X(cairo_surface_flush) \
    X(cairo_surface_mark_dirty) \
    X(pango_layout_get_pixel_size) \
    X(cairo_surface_destroy) \
    X(cairo_destroy) \
    X(cairo_image_surface_create) \
    X(cairo_create) \
    X(cairo_image_surface_get_data) \
    X(cairo_image_surface_get_stride) \
    X(gdk_pixbuf_new_from_file) \
    X(gdk_pixbuf_apply_embedded_orientation)

#define PINTARO_RASTER_SURFACE_FUNCTIONS(X) \
    X(cairo_image_surface_get_width) \
    X(cairo_image_surface_get_height) \
    X(g_object_unref)

#define PINTARO_RASTER_SAVING_FUNCTIONS(X) \
    X(gdk_pixbuf_save)

#define PINTARO_RASTER_FUNCTIONS(X) \
    PINTARO_RASTER_DRAWING_AND_LOADING_FUNCTIONS(X) \
    PINTARO_RASTER_SURFACE_FUNCTIONS(X) \
    PINTARO_RASTER_SAVING_FUNCTIONS(X)

// Colours are set on cairo directly and pixels move between surfaces and
// pixbufs here, so no display-side function (GDK's) is ever needed. The SVG
// and PDF surfaces are part of libcairo itself (vector_file.h). Files are
// written through a callback (atomic_file.h), with option arrays that carry
// PNG text chunks, and text is laid out with the layer's own font maps
// (font_cache.h) at one size and drawn as glyphs at any (scaled_text.h).
#define PINTARO_RASTER_EXTRA_FUNCTIONS(X) \
    X(cairo_set_source_rgba) \
    X(gdk_pixbuf_new) \
    X(gdk_pixbuf_get_width) \
    X(gdk_pixbuf_get_height) \
    X(gdk_pixbuf_get_rowstride) \
    X(gdk_pixbuf_get_n_channels) \
    X(gdk_pixbuf_get_has_alpha) \
    X(gdk_pixbuf_get_pixels) \
    X(g_error_free) \
    X(cairo_svg_surface_create_for_stream) \
    X(cairo_svg_surface_set_document_unit) \
    X(cairo_pdf_surface_create_for_stream) \
    X(cairo_surface_finish) \
    X(cairo_surface_status) \
    X(cairo_status_to_string) \
    X(cairo_font_options_create) \
    X(cairo_font_options_set_hint_metrics) \
    X(cairo_font_options_set_hint_style) \
    X(cairo_font_options_destroy) \
    X(cairo_set_font_options) \
    X(pango_cairo_layout_path) \
    X(gdk_pixbuf_get_option) \
    X(cairo_new_path) \
    X(gdk_pixbuf_save_to_callbackv) \
    X(gdk_pixbuf_get_file_info) \
    X(g_error_new_literal) \
    X(g_quark_from_static_string) \
    X(pango_cairo_font_map_new) \
    X(pango_font_map_create_context) \
    X(pango_cairo_update_context) \
    X(pango_layout_new) \
    X(pango_layout_get_size) \
    X(pango_layout_get_lines_readonly) \
    X(pango_cairo_context_set_font_options) \
    X(pango_context_set_round_glyph_positions) \
    X(pango_font_map_load_font) \
    X(pango_cairo_font_get_scaled_font) \
    X(cairo_scaled_font_get_font_face) \
    X(cairo_scaled_font_get_font_options) \
    X(cairo_scaled_font_create) \
    X(cairo_scaled_font_destroy) \
    X(cairo_scaled_font_extents) \
    X(cairo_set_scaled_font) \
    X(cairo_show_glyphs) \
    X(cairo_glyph_path) \
    X(cairo_scaled_font_get_font_matrix) \
    X(cairo_scaled_font_get_ctm) \
    X(cairo_scaled_font_status) \
    X(cairo_get_target) \
    X(cairo_get_font_options) \
    X(cairo_surface_get_font_options) \
    X(cairo_font_options_merge) \
    X(cairo_font_options_get_hint_metrics)
// clang-format on
