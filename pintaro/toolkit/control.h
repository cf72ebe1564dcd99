// A control: a rectangle inside a window with its size modes, colours,
// font, canvas and event handlers. A plain Control is a drawable surface
// (its draw handler paints through fCanvas); buttons, labels, text boxes,
// text areas and layout containers build on it.
//
// Sizes given to the setters are logical pixels and pass through scale to
// screen; the fields hold screen pixels.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "raster/canvas.h"
#include "raster/color.h"
#include "control_handle.h"
#include "events.h"
#include "layout_algorithm.h"
#include "raster/raster_limits.h"
#include "size_modes.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GdkEventKey GdkEventKey;
typedef struct _GdkEventButton GdkEventButton;
typedef struct _GdkEventMotion GdkEventMotion;
typedef struct _GdkEventCrossing GdkEventCrossing;

namespace toolkit {

class LayoutContainer;
class OwnedWidget;
class InputMethod;
class Window;

class Control {
public:
    // A plain drawable control: Static / Static, 50 x 50.
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // ---- geometry ----
    int width() const { return fWidth; }
    int height() const { return fHeight; }
    int x() const { return fX; }
    int y() const { return fY; }
    // The size a Static control keeps; a container overrides it for the others.
    void setWidth(int width);
    void setHeight(int height);
    void setSize(int width, int height);
    // Positions belong to the layout: these always raise.
    void setX(int x);
    void setY(int y);

    WidthMode widthMode() const { return fWidthMode; }
    HeightMode heightMode() const { return fHeightMode; }
    void setWidthMode(WidthMode mode);
    void setHeightMode(HeightMode mode);
    int minWidth() const { return fMinWidth; }
    int minHeight() const { return fMinHeight; }
    int maxWidth() const { return fMaxWidth; }
    int maxHeight() const { return fMaxHeight; }
    void setMinWidth(int v);
    void setMinHeight(int v);
    void setMaxWidth(int v);  // 0: no maximum
    void setMaxHeight(int v);

    bool visible() const { return fVisible; }
    void setVisible(bool visible);
    bool enabled() const { return fEnabled; }
    void setEnabled(bool enabled);

    // The size the control wants for its contents; none when it has none.
    virtual std::optional<int> naturalWidth();
    virtual std::optional<int> naturalHeight();

    // ---- look ----
    raster::Color backgroundColor() const { return fBackgroundColor; }
    void setBackgroundColor(raster::Color c);
    void useDefaultBackgroundColor();
    raster::Color textColor() const { return fTextColor; }
    void setTextColor(raster::Color c);
    void useDefaultTextColor();
    // Family (empty: the platform's), size in the text-size unit used by
    // the canvas, bold.
    void setFont(const std::string& family, double size, bool bold);
    void useDefaultFont();

    // ---- behaviour ----
    void focus();
    // Asks the platform to repaint; the draw handler runs later from the loop.
    void forceRedraw();
    raster::Canvas& canvas() { return fCanvas; }
    KeyCode keyPressed() const { return fKeyPressed; }

    virtual void setOnDraw(DrawHandler handler);
    void setOnMouseButtonDown(MouseHandler handler) { fOnMouseButtonDown = std::move(handler); }
    void setOnMouseButtonUp(MouseHandler handler) { fOnMouseButtonUp = std::move(handler); }
    // Drawable controls only, like the button handlers.
    void setOnMouseMove(MouseMoveHandler handler) { fOnMouseMove = std::move(handler); }
    void setOnMouseLeave(MouseLeaveHandler handler) { fOnMouseLeave = std::move(handler); }
    void setOnClick(ClickHandler handler) { fOnClick = std::move(handler); }
    void setOnKeyDown(KeyHandler handler) { fOnKeyDown = std::move(handler); }

    // ---- place in the tree ----
    LayoutContainer* parentControl() const { return fParentControl; }
    Window* parentWindow() const { return fParentWindow; }
    // The window the control is shown in, through its containers.
    Window* window() const;
    int index() const { return fIndex; }

    // The platform widget placed into the parent.
    GtkWidget* platformWidget() const;
    // A handle that turns empty when this control is destroyed.
    ControlHandle handle() const { return ControlHandle(fLife); }

    // How the layout sees this control on one axis (layout::kX or kY): mode,
    // size, bounds, position, and the natural size where the mode uses it.
    // Containers and windows ask the same question the same way.
    layout::Axis layoutAxis(int axis);

protected:
    // For the native controls: `outer` is placed into the parent, `inner`
    // (the same or a child of it) takes focus, keys, colours and font.
    // Only drawable ones (a platform widget with its own drawing area) get
    // the mouse and draw handling; native widgets keep their own.
    Control(GtkWidget* outer, GtkWidget* inner, WidthMode widthMode, HeightMode heightMode, bool drawable);

    GtkWidget* innerWidget() const { return fInner; }
    // A label makes a new inner widget for a new text.
    void replaceInnerWidget(GtkWidget* inner) { fInner = inner; }
    // Re-runs the layout from the top of the tree this control is in.
    void requestLayout();
    // Drops a cached natural size (text or font changed) and lays out again.
    virtual void contentChanged();
    // Applies the text colour and font again (after the inner widget changed).
    void reapplyLook();
    // Sets the size on the platform widget (no layout pass).
    void applySize(int width, int height);
    // Called after the layout changed this control's size.
    virtual void sizeApplied() {}
    // For containers: lays out the children for the current size.
    virtual void arrangeChildren() {}
    // For containers: the size their content needs; false when unchanged.
    bool setScrollableSize(int width, int height);
    int scrollable(int axis) const { return axis == layout::kX ? fScrollableWidth : fScrollableHeight; }
    const ClickHandler& clickHandler() const { return fOnClick; }

    // Hooks the key handling onto the focusable widget.
    void connectKeys(GtkWidget* widget);

    // What a text control measured, kept until its text or font changes.
    std::optional<int> fNaturalWidthCache;
    std::optional<int> fNaturalHeightCache;

private:
    // A container or window places its children only through these.
    friend class LayoutContainer;
    friend class Window;
    bool hasParent() const { return fParentControl || fParentWindow; }
    // Moves the widget into the parent's platform widget and records the
    // parent; the next layout pass places it.
    void joinContainer(LayoutContainer& parent, int index, GtkWidget* parentWidget);
    void joinWindow(Window& window, GtkWidget* client);
    void setIndex(int index) { fIndex = index; }
    // Forgets the parent, which has already let go of this control.
    void leaveParent();
    // Moves the widget back to the parking place, out of any window.
    void park();
    void applyPosition(GtkWidget* parentWidget, int x, int y);

    void connectMouseAndDraw(GtkWidget* widget);
    void applyFont();

    static int onKeyPress(GtkWidget*, GdkEventKey* event, void* self);
    static int onButtonPress(GtkWidget*, GdkEventButton* event, void* self);
    static int onButtonRelease(GtkWidget*, GdkEventButton* event, void* self);
    static int onMotion(GtkWidget*, GdkEventMotion* event, void* self);
    static int onLeave(GtkWidget*, GdkEventCrossing* event, void* self);
    static int onDraw(GtkWidget*, void* cr, void* self);
    bool handleKeyPress(GdkEventKey* event);
    void handleButtonPress(GdkEventButton* event);
    void handleButtonRelease(GdkEventButton* event);
    void handleMotion(GdkEventMotion* event);
    void handleLeave(GdkEventCrossing* event);
    void handleDraw(void* cr);

    std::unique_ptr<OwnedWidget> fOuter;
    GtkWidget* fInner = nullptr;
    std::unique_ptr<InputMethod> fInputMethod;  // made on the first key
    // Shared with the handles given out (ControlHandle): they turn empty
    // when this control is destroyed.
    std::shared_ptr<Control*> fLife = std::make_shared<Control*>(this);

    LayoutContainer* fParentControl = nullptr;
    Window* fParentWindow = nullptr;
    int fIndex = -1;
    bool fVisible = true;
    bool fEnabled = true;
    int fWidth = 50;
    int fHeight = 50;
    int fMinWidth = 0;
    int fMinHeight = 0;
    int fMaxWidth = 0;
    int fMaxHeight = 0;
    WidthMode fWidthMode = WidthMode_Static;
    HeightMode fHeightMode = HeightMode_Static;
    int fX = 0;
    int fY = 0;
    bool fPlaced = false;  // moved into a parent at least once
    bool fXScrollEnabled = false;
    bool fYScrollEnabled = false;
    int fXScrollPos = 0;
    int fYScrollPos = 0;
    int fScrollableWidth = 0;
    int fScrollableHeight = 0;
    raster::Color fBackgroundColor;
    raster::Color fTextColor;
    std::string fFontFamily;
    double fFontSize = raster::limits::kDefaultTextSize;
    bool fFontBold = false;
    bool fUseDefaultBackgroundColor = true;
    bool fUseDefaultTextColor = true;
    bool fUseDefaultFont = true;
    raster::Canvas fCanvas;
    KeyCode fKeyPressed = Key_None;

    DrawHandler fOnDraw;
    MouseHandler fOnMouseButtonDown;
    MouseHandler fOnMouseButtonUp;
    MouseMoveHandler fOnMouseMove;
    MouseLeaveHandler fOnMouseLeave;
    ClickHandler fOnClick;
    KeyHandler fOnKeyDown;
};

}  // namespace toolkit
