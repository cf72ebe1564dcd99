#include "control.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "application.h"
#include "error_guard.h"
#include "gtk_loader.h"
#include "gtk_object.h"
#include "key_input.h"
#include "layout_container.h"
#include "toolkit_error.h"
#include "raster/raster_limits.h"
#include "toolkit_limits.h"
#include "window.h"

namespace toolkit {
namespace {

GdkRGBA toRgba(raster::Color c) { return GdkRGBA{c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0}; }

std::optional<MouseButton> mouseButton(guint platformButton) {
    switch (platformButton) {
        case 1: return MouseButton_Left;
        case 2: return MouseButton_Middle;
        case 3: return MouseButton_Right;
        default: return std::nullopt;
    }
}

// A control's canvas draws in the theme's text colour. Nothing of the layer
// may exist before the application: this raises first.
raster::Canvas controlCanvas() {
    const raster::Color text = Application::current().defaultTextColor();
    return raster::Canvas(gtkRaster(), text);
}

}  // namespace

Control::Control()
    : Control(initializedGtk().gtk_layout_new(nullptr, nullptr), nullptr, WidthMode_Static, HeightMode_Static, true) {
    fWidth = scaleToScreen(50);
    fHeight = scaleToScreen(50);
    gtk().gtk_widget_set_size_request(fOuter->get(), fWidth, fHeight);
}

Control::Control(GtkWidget* outer, GtkWidget* inner, WidthMode widthMode, HeightMode heightMode, bool drawable)
    : fWidthMode(widthMode),
      fHeightMode(heightMode),
      fCanvas(controlCanvas()) {
    Application& app = Application::current();
    fOuter = std::make_unique<OwnedWidget>(outer);
    fInner = inner ? inner : outer;
    if (fInner != outer) gtk().gtk_widget_show(fInner);
    fBackgroundColor = app.defaultBackgroundColor();
    fTextColor = app.defaultTextColor();
    // Platform widgets that cannot take the focus simply never see a key.
    if (drawable) connectMouseAndDraw(outer);
    connectKeys(fInner);
}

Control::~Control() {
    // A press the application remembers on this control ends with it: the
    // application holds only a handle.
    if (fParentControl) fParentControl->forgetChild(this);
    if (fParentWindow) fParentWindow->forgetContent(this);
}

void Control::joinContainer(LayoutContainer& parent, int index, GtkWidget* parentWidget) {
    fOuter->moveTo(parentWidget);
    fParentControl = &parent;
    fIndex = index;
    fPlaced = false;
}

void Control::joinWindow(Window& window, GtkWidget* client) {
    fOuter->moveTo(client);
    fParentWindow = &window;
    fPlaced = false;
}

void Control::leaveParent() {
    fParentControl = nullptr;
    fParentWindow = nullptr;
    fIndex = -1;
}

void Control::park() {
    fOuter->park();
    fPlaced = false;
}

layout::Axis Control::layoutAxis(int axis) {
    const bool x = axis == layout::kX;
    layout::Axis a;
    a.mode = x ? layout::sizeMode(fWidthMode) : layout::sizeMode(fHeightMode);
    a.size = x ? fWidth : fHeight;
    a.min = x ? fMinWidth : fMinHeight;
    a.max = x ? fMaxWidth : fMaxHeight;
    // Measuring text is not free: only the modes that use it ask.
    if (a.mode == layout::SizeMode::Auto || a.mode == layout::SizeMode::Fill)
        a.natural = x ? naturalWidth() : naturalHeight();
    a.position = x ? fX : fY;
    return a;
}

bool Control::setScrollableSize(int width, int height) {
    if (width == fScrollableWidth && height == fScrollableHeight) return false;
    fScrollableWidth = width;
    fScrollableHeight = height;
    return true;
}

GtkWidget* Control::platformWidget() const { return fOuter->get(); }

Window* Control::window() const {
    const Control* c = this;
    while (c->fParentControl) c = c->fParentControl;
    return c->fParentWindow;
}

// ---- geometry ----

void Control::setWidth(int width) {
    applySize(std::max(0, scaleToScreen(width)), fHeight);
    requestLayout();
}

void Control::setHeight(int height) {
    applySize(fWidth, std::max(0, scaleToScreen(height)));
    requestLayout();
}

void Control::setSize(int width, int height) {
    applySize(std::max(0, scaleToScreen(width)), std::max(0, scaleToScreen(height)));
    requestLayout();
}

void Control::setX(int) {
    if (fParentControl) throw ToolkitError("Controls inside a LayoutContainer cannot be moved manually.");
    throw ToolkitError("Control cannot be moved, when it is not inside a container.");
}

void Control::setY(int y) { setX(y); }

void Control::setWidthMode(WidthMode mode) {
    fWidthMode = mode;
    requestLayout();
}

void Control::setHeightMode(HeightMode mode) {
    fHeightMode = mode;
    requestLayout();
}

void Control::setMinWidth(int v) {
    fMinWidth = scaleToScreen(v);
    requestLayout();
}

void Control::setMinHeight(int v) {
    fMinHeight = scaleToScreen(v);
    requestLayout();
}

void Control::setMaxWidth(int v) {
    fMaxWidth = scaleToScreen(v);
    requestLayout();
}

void Control::setMaxHeight(int v) {
    fMaxHeight = scaleToScreen(v);
    requestLayout();
}

void Control::setVisible(bool visible) {
    fVisible = visible;
    if (visible)
        gtk().gtk_widget_show(fOuter->get());
    else
        gtk().gtk_widget_hide(fOuter->get());
    requestLayout();
}

void Control::setEnabled(bool enabled) {
    fEnabled = enabled;
    gtk().gtk_widget_set_sensitive(fOuter->get(), enabled);
}

std::optional<int> Control::naturalWidth() { return std::nullopt; }
std::optional<int> Control::naturalHeight() { return std::nullopt; }

void Control::requestLayout() {
    Control* top = this;
    while (top->fParentControl) top = top->fParentControl;
    if (top->fParentWindow)
        top->fParentWindow->layoutContent();
    else
        top->arrangeChildren();
}

void Control::contentChanged() {
    fNaturalWidthCache.reset();
    fNaturalHeightCache.reset();
    requestLayout();
}

void Control::applySize(int width, int height) {
    if (width == fWidth && height == fHeight) return;
    fWidth = width;
    fHeight = height;
    gtk().gtk_widget_set_size_request(fOuter->get(), width, height);
    sizeApplied();
}

void Control::applyPosition(GtkWidget* parentWidget, int x, int y) {
    if (fPlaced && x == fX && y == fY) return;
    fX = x;
    fY = y;
    fPlaced = true;
    gtk().gtk_layout_move(as<GtkLayout>(parentWidget), fOuter->get(), x, y);
}

// ---- look ----

void Control::setBackgroundColor(raster::Color c) {
    fBackgroundColor = c;
    fUseDefaultBackgroundColor = false;
    const GdkRGBA rgba = toRgba(c);
    gtk().gtk_widget_override_background_color(fOuter->get(), GTK_STATE_FLAG_NORMAL, &rgba);
    if (fInner != fOuter->get()) gtk().gtk_widget_override_background_color(fInner, GTK_STATE_FLAG_NORMAL, &rgba);
}

void Control::useDefaultBackgroundColor() {
    fBackgroundColor = Application::current().defaultBackgroundColor();
    fUseDefaultBackgroundColor = true;
    gtk().gtk_widget_override_background_color(fOuter->get(), GTK_STATE_FLAG_NORMAL, nullptr);
    if (fInner != fOuter->get()) gtk().gtk_widget_override_background_color(fInner, GTK_STATE_FLAG_NORMAL, nullptr);
}

void Control::setTextColor(raster::Color c) {
    fTextColor = c;
    fUseDefaultTextColor = false;
    const GdkRGBA rgba = toRgba(c);
    gtk().gtk_widget_override_color(fInner, GTK_STATE_FLAG_NORMAL, &rgba);
}

void Control::useDefaultTextColor() {
    fTextColor = Application::current().defaultTextColor();
    fUseDefaultTextColor = true;
    gtk().gtk_widget_override_color(fInner, GTK_STATE_FLAG_NORMAL, nullptr);
}

void Control::setFont(const std::string& family, double size, bool bold) {
    fFontFamily = family;
    fFontSize = size;
    fFontBold = bold;
    fUseDefaultFont = false;
    applyFont();
}

void Control::useDefaultFont() {
    fUseDefaultFont = true;
    applyFont();
}

void Control::reapplyLook() {
    if (!fUseDefaultTextColor) {
        const GdkRGBA rgba = toRgba(fTextColor);
        gtk().gtk_widget_override_color(fInner, GTK_STATE_FLAG_NORMAL, &rgba);
    }
    if (!fUseDefaultFont) applyFont();
}

void Control::applyFont() {
    const GtkApi& g = gtk();
    if (fUseDefaultFont) {
        g.gtk_widget_modify_font(fInner, nullptr);
    } else {
        const raster::RasterApi& r = gtkRaster();
        PangoFontDescription* font = r.pango_font_description_new();
        if (!fFontFamily.empty()) r.pango_font_description_set_family(font, fFontFamily.c_str());
        r.pango_font_description_set_size(font,
                                          static_cast<gint>(std::trunc(fFontSize * raster::limits::kPangoUnitsPerTextSize)));
        r.pango_font_description_set_weight(font, fFontBold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        g.gtk_widget_modify_font(fInner, font);  // copies the description
        r.pango_font_description_free(font);
    }
    contentChanged();
}

// ---- behaviour ----

void Control::focus() { gtk().gtk_widget_grab_focus(fInner); }

void Control::forceRedraw() { gtk().gtk_widget_queue_draw(fOuter->get()); }

void Control::setOnDraw(DrawHandler handler) { fOnDraw = std::move(handler); }

void Control::connectMouseAndDraw(GtkWidget* widget) {
    gtk().gtk_widget_add_events(widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                            GDK_LEAVE_NOTIFY_MASK);
    connectSignal(widget, "button-press-event", G_CALLBACK(&Control::onButtonPress), this);
    connectSignal(widget, "button-release-event", G_CALLBACK(&Control::onButtonRelease), this);
    connectSignal(widget, "motion-notify-event", G_CALLBACK(&Control::onMotion), this);
    connectSignal(widget, "leave-notify-event", G_CALLBACK(&Control::onLeave), this);
    connectSignal(widget, "draw", G_CALLBACK(&Control::onDraw), this);
}

void Control::connectKeys(GtkWidget* widget) {
    gtk().gtk_widget_add_events(widget, GDK_KEY_PRESS_MASK);
    connectSignal(widget, "key-press-event", G_CALLBACK(&Control::onKeyPress), this);
}

int Control::onKeyPress(GtkWidget*, GdkEventKey* event, void* self) {
    bool handled = false;
    guarded([&] { handled = static_cast<Control*>(self)->handleKeyPress(event); });
    return handled;
}

bool Control::handleKeyPress(GdkEventKey* event) {
    if (!fInputMethod)
        fInputMethod = std::make_unique<InputMethod>(
            [this](const std::string& text) { dispatchCommittedText(text, fOnKeyDown, window(), this); });
    return dispatchKeyPress(event, *fInputMethod, fKeyPressed, fOnKeyDown, window(), this);
}

int Control::onButtonPress(GtkWidget*, GdkEventButton* event, void* self) {
    // Double and triple clicks repeat a press that was already reported.
    if (event->type == GDK_BUTTON_PRESS) guarded([&] { static_cast<Control*>(self)->handleButtonPress(event); });
    // Stop here: a parent would get the event in this control's coordinates.
    return TRUE;
}

int Control::onButtonRelease(GtkWidget*, GdkEventButton* event, void* self) {
    guarded([&] { static_cast<Control*>(self)->handleButtonRelease(event); });
    return TRUE;
}

void Control::handleButtonPress(GdkEventButton* event) {
    const auto button = mouseButton(event->button);
    if (!button) return;
    const int x = static_cast<int>(event->x);
    const int y = static_cast<int>(event->y);
    Application::current().notePress(*this, x, y);
    if (fOnMouseButtonDown) {
        MouseEvent e{this, *button, x, y};
        fOnMouseButtonDown(e);
    }
}

void Control::handleButtonRelease(GdkEventButton* event) {
    const auto button = mouseButton(event->button);
    if (!button) return;
    Application& app = Application::current();
    // The platform sends the release to the pressed control even when the
    // pointer has left it; such a release is no click.
    const std::optional<Application::Press> press = app.pressOn(*this);
    if (*button == MouseButton_Left) app.endPress();
    const int x = static_cast<int>(std::floor(event->x));
    const int y = static_cast<int>(std::floor(event->y));
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight) return;
    if (fOnMouseButtonUp) {
        MouseEvent e{this, *button, x, y};
        fOnMouseButtonUp(e);
    }
    if (*button == MouseButton_Left && press && std::abs(x - press->x) <= limits::kClickTolerance &&
        std::abs(y - press->y) <= limits::kClickTolerance && fOnClick) {
        ClickEvent e{this};
        fOnClick(e);
    }
}

int Control::onMotion(GtkWidget*, GdkEventMotion* event, void* self) {
    guarded([&] { static_cast<Control*>(self)->handleMotion(event); });
    return TRUE;
}

int Control::onLeave(GtkWidget*, GdkEventCrossing* event, void* self) {
    guarded([&] { static_cast<Control*>(self)->handleLeave(event); });
    return TRUE;
}

void Control::handleMotion(GdkEventMotion* event) {
    if (!fOnMouseMove) return;
    MouseMoveEvent e{this, static_cast<int>(std::floor(event->x)), static_cast<int>(std::floor(event->y))};
    fOnMouseMove(e);
}

void Control::handleLeave(GdkEventCrossing* event) {
    // Moving onto a window inside this one is not leaving it.
    if (event->detail == GDK_NOTIFY_INFERIOR || !fOnMouseLeave) return;
    MouseLeaveEvent e{this};
    fOnMouseLeave(e);
}

int Control::onDraw(GtkWidget*, void* cr, void* self) {
    guarded([&] { static_cast<Control*>(self)->handleDraw(cr); });
    return FALSE;
}

void Control::handleDraw(void* cr) {
    if (!fOnDraw) return;
    GtkAllocation area{};
    gtk().gtk_widget_get_allocation(fOuter->get(), &area);
    // The canvas borrows the platform's context for this repaint only.
    struct Detach {
        raster::Canvas& canvas;
        ~Detach() { canvas.detach(); }
    } detach{fCanvas};
    fCanvas.attach(static_cast<cairo_t*>(cr), area.width, area.height);
    DrawEvent e{this, &fCanvas};
    fOnDraw(e);
}

}  // namespace toolkit
