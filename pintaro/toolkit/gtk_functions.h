// The GTK 3 functions the drawing program loads, in the order they are
// resolved at start-up. This is the one list of that order: gtk_api.h
// expands it into the typed pointer table and the loader into the names it
// looks up, so the two can never drift apart. Adding a function means adding
// one line here.
//
// X marks a function of the widget layer (its GtkApi table); R marks one of
// the raster layer's functions, which the loader puts into the raster table
// it fills from the same library. Those are not written here: the raster
// layer's list (raster_functions.h) is expanded in its three runs, so that
// the raster functions are named once and keep their place in the order.
#pragma once

#include "raster/raster_functions.h"

// clang-format off
#define PINTARO_GTK_FUNCTIONS(X, R) \
    X(gtk_widget_grab_focus) \
    X(gtk_file_chooser_dialog_new) \
    X(gtk_file_chooser_set_current_folder) \
    X(gtk_file_chooser_set_select_multiple) \
    X(gtk_dialog_run) \
    X(gtk_file_chooser_get_filenames) \
    X(g_slist_length) \
    X(g_slist_nth_data) \
    X(gtk_widget_destroy) \
    X(gtk_file_chooser_set_current_name) \
    X(gtk_file_chooser_get_filename) \
    X(gdk_cairo_set_source_rgba) \
    PINTARO_RASTER_DRAWING_AND_LOADING_FUNCTIONS(R) \
    X(gdk_cairo_surface_create_from_pixbuf) \
    PINTARO_RASTER_SURFACE_FUNCTIONS(R) \
    X(gdk_pixbuf_get_from_surface) \
    PINTARO_RASTER_SAVING_FUNCTIONS(R) \
    X(gtk_window_present) \
    X(gtk_main_iteration) \
    X(gtk_widget_hide) \
    X(gtk_events_pending) \
    X(gtk_window_set_modal) \
    X(gtk_window_set_transient_for) \
    X(gtk_window_set_type_hint) \
    X(gtk_window_iconify) \
    X(gtk_window_set_keep_above) \
    X(gtk_window_set_default_size) \
    X(gtk_window_set_geometry_hints) \
    X(gtk_window_set_resizable) \
    X(gtk_window_move) \
    X(gdk_screen_get_default) \
    X(gdk_screen_get_primary_monitor) \
    X(gdk_screen_get_monitor_workarea) \
    X(gtk_window_set_title) \
    X(gtk_container_add) \
    X(gtk_widget_get_pointer) \
    X(gtk_window_set_icon_from_file) \
    X(gtk_adjustment_new) \
    X(gtk_scrollbar_new) \
    X(g_signal_connect_data) \
    X(gtk_adjustment_get_value) \
    X(gtk_label_new) \
    X(gtk_widget_override_background_color) \
    X(gtk_widget_set_size_request) \
    X(gtk_adjustment_set_upper) \
    X(gtk_adjustment_set_value) \
    X(gtk_adjustment_set_page_size) \
    X(gtk_layout_move) \
    X(gtk_widget_show) \
    X(gtk_widget_add_events) \
    X(gtk_dialog_new) \
    X(gtk_window_resize) \
    X(gtk_dialog_get_content_area) \
    X(gtk_container_set_border_width) \
    X(gtk_box_pack_start) \
    X(gtk_dialog_get_action_area) \
    X(gtk_button_box_set_layout) \
    X(gtk_widget_set_margin_top) \
    X(gtk_dialog_add_button) \
    X(gtk_im_context_filter_keypress) \
    X(gdk_keyval_to_unicode) \
    X(gtk_widget_queue_draw) \
    X(gtk_widget_modify_font) \
    X(gtk_widget_override_color) \
    X(gtk_widget_create_pango_layout) \
    X(gtk_fixed_move) \
    X(g_object_ref) \
    X(gtk_container_remove) \
    X(gtk_layout_set_size) \
    X(gtk_frame_set_label) \
    X(gtk_button_set_label) \
    X(gtk_container_get_children) \
    X(gtk_label_set_ellipsize) \
    X(gtk_widget_get_style_context) \
    X(gtk_style_context_get_padding) \
    X(gtk_widget_set_sensitive) \
    X(gtk_toggle_button_get_active) \
    X(g_signal_handlers_block_matched) \
    X(gtk_toggle_button_set_active) \
    X(g_signal_handlers_unblock_matched) \
    X(gtk_combo_box_text_remove_all) \
    X(gtk_combo_box_text_append_text) \
    X(gtk_combo_box_text_get_active_text) \
    X(gtk_combo_box_get_active) \
    X(gtk_combo_box_set_active) \
    X(gtk_progress_bar_set_fraction) \
    X(gtk_style_context_get_background_color) \
    X(gtk_style_context_get_color) \
    X(gtk_entry_get_text) \
    X(gtk_entry_set_text) \
    X(gtk_entry_set_placeholder_text) \
    X(gtk_entry_set_width_chars) \
    X(gtk_accelerator_get_default_mod_mask) \
    X(gtk_clipboard_set_text) \
    X(gtk_clipboard_store) \
    X(gtk_editable_set_editable) \
    X(gtk_editable_get_position) \
    X(gtk_editable_set_position) \
    X(gtk_editable_get_selection_bounds) \
    X(gtk_editable_select_region) \
    X(gtk_text_buffer_get_start_iter) \
    X(gtk_text_buffer_get_end_iter) \
    X(gtk_text_buffer_get_text) \
    X(gtk_text_buffer_set_text) \
    X(gtk_text_buffer_insert) \
    X(gtk_text_view_scroll_to_iter) \
    X(gtk_text_view_set_wrap_mode) \
    X(gtk_text_view_set_editable) \
    X(gtk_text_buffer_get_insert) \
    X(gtk_text_buffer_get_iter_at_mark) \
    X(gtk_text_iter_get_offset) \
    X(gtk_text_buffer_get_iter_at_offset) \
    X(gtk_text_buffer_select_range) \
    X(gtk_text_buffer_get_selection_bounds) \
    X(gtk_init) \
    X(gtk_clipboard_get) \
    X(gtk_window_new) \
    X(gtk_scrolled_window_new) \
    X(gtk_window_get_position) \
    X(gtk_window_get_size) \
    X(gtk_drag_dest_set) \
    X(gtk_selection_data_get_uris) \
    X(g_filename_from_uri) \
    X(gtk_scrolled_window_set_policy) \
    X(gtk_scrolled_window_get_hscrollbar) \
    X(gtk_widget_get_allocation) \
    X(gtk_im_multicontext_new) \
    X(gtk_fixed_new) \
    X(gtk_layout_new) \
    X(gtk_button_new) \
    X(gtk_entry_new) \
    X(gtk_text_view_new) \
    X(gtk_text_view_set_left_margin) \
    X(gtk_text_view_set_right_margin) \
    X(gtk_text_view_set_top_margin) \
    X(gtk_text_view_set_bottom_margin) \
    X(gtk_text_view_get_buffer) \
    X(gtk_main) \
    X(gtk_main_quit) \
    X(gtk_editable_delete_text) \
    X(gtk_editable_insert_text) \
    X(gtk_text_buffer_delete) \
    X(gtk_menu_new) \
    X(gtk_menu_item_new_with_label) \
    X(gtk_separator_menu_item_new) \
    X(gtk_menu_shell_append) \
    X(gtk_menu_popup_at_pointer) \
    X(gtk_widget_show_all) \
    X(gtk_menu_get_type) \
    X(g_type_check_instance_is_a) \
    X(g_object_ref_sink) \
    X(gtk_file_filter_new) \
    X(gtk_file_filter_set_name) \
    X(gtk_file_filter_add_pattern) \
    X(gtk_file_chooser_add_filter) \
    X(gtk_text_view_set_border_window_size) \
    X(gtk_text_view_get_window) \
    X(gtk_cairo_should_draw_window) \
    X(gtk_cairo_transform_to_window) \
    X(gtk_text_view_get_visible_rect) \
    X(gtk_text_view_get_line_at_y) \
    X(gtk_text_view_get_line_yrange) \
    X(gtk_text_view_buffer_to_window_coords) \
    X(gtk_text_iter_forward_line) \
    X(gtk_text_iter_get_line)
// clang-format on

// Functions beyond the fixed list above, resolved after it from the same
// library and its dependencies. A missing one is not fatal: it stays null and
// its caller falls back. Lists deserve freeing. The program name and class
// tie the windows to the desktop entry (the Wayland app id and X11's
// WM_CLASS); without them the windows still work, only unmatched. Stopping
// a signal lets a text box refuse a text too long for it; without it the
// platform cuts the text as it always did.
// The timer wakes a timed wait for events; without it the wait naps instead.
// The idle callback and the event handler let work that a window's first
// paint does not need wait until after it (AfterFirstPaint); without them
// that work is done at once, before the window shows.
// The default font map, made early, starts fontconfig's loading on pango's
// thread while GTK starts (Application::init); without it the first text
// measured waits for that loading instead.
// clang-format off
#define PINTARO_GTK_OPTIONAL_FUNCTIONS(X) \
    X(g_slist_free) \
    X(g_set_prgname) \
    X(gdk_set_program_class) \
    X(g_signal_stop_emission_by_name) \
    X(g_timeout_add) \
    X(g_source_remove) \
    X(g_idle_add) \
    X(g_signal_handlers_disconnect_matched) \
    X(gdk_event_handler_set) \
    X(gtk_main_do_event) \
    X(pango_cairo_font_map_get_default)
// clang-format on
