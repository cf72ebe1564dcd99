#include "window.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "application.h"
#include "control.h"
#include "error_guard.h"
#include "gtk_loader.h"
#include "gtk_object.h"
#include "key_input.h"
#include "layout_algorithm.h"
#include "toolkit_error.h"
#include "toolkit_limits.h"

namespace toolkit {
namespace {

std::filesystem::path programPath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : p;
}

}  // namespace

std::string programTitle() { return programPath().stem().string(); }

std::string programIconPath(const std::string& applicationId) {
    const auto program = programPath();
    if (program.empty()) return {};
    auto beside = program;
    beside.replace_extension(".png");
    std::vector<std::filesystem::path> candidates{beside};
    // An installed program finds its icon where the install put it, relative
    // to itself (bin/ and share/ side by side), so a prefix moved elsewhere,
    // such as ~/.local, still works.
    if (!applicationId.empty()) {
        const std::string size = std::to_string(limits::kInstalledIconSize);
        candidates.push_back(program.parent_path().parent_path() / "share/icons/hicolor" / (size + "x" + size) /
                             "apps" / (applicationId + ".png"));
    }
    for (const auto& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate.string();
    }
    return {};
}

Window::Window() { create(); }

Window::Window(const std::string& title) {
    create();
    setTitle(title);
}

void Window::create() {
    Application& app = Application::current();  // raises before init
    const GtkApi& g = gtk();
    fWindow = g.gtk_window_new(GTK_WINDOW_TOPLEVEL);
    (g.g_object_ref)(fWindow);
    fClient = g.gtk_layout_new(nullptr, nullptr);
    g.gtk_container_add(as<GtkContainer>(fWindow), fClient);
    g.gtk_widget_show(fClient);

    fWidth = fClientWidth = limits::kDefaultWindowWidth;
    fHeight = fClientHeight = limits::kDefaultWindowHeight;
    g.gtk_window_set_default_size(as<GtkWindow>(fWindow), fWidth, fHeight);
    g.gtk_window_set_resizable(as<GtkWindow>(fWindow), TRUE);
    fTitle = programTitle();
    g.gtk_window_set_title(as<GtkWindow>(fWindow), fTitle.c_str());
    const std::string icon = programIconPath(app.applicationId());
    if (!icon.empty()) setIconPath(icon);

    connectSignal(fWindow, "delete-event", G_CALLBACK(&Window::onDelete), this);
    connectSignal(fWindow, "configure-event", G_CALLBACK(&Window::onConfigure), this);
    connectSignal(fWindow, "key-press-event", G_CALLBACK(&Window::onKeyPress), this);
    connectSignal(fWindow, "key-release-event", G_CALLBACK(&Window::onKeyRelease), this);
    connectSignal(fWindow, "window-state-event", G_CALLBACK(&Window::onWindowState), this);
    connectSignal(fWindow, "focus-out-event", G_CALLBACK(&Window::onFocusOut), this);
    static GtkTargetEntry uriList{const_cast<gchar*>("text/uri-list"), 0, 0};
    g.gtk_drag_dest_set(fWindow, GTK_DEST_DEFAULT_ALL, &uriList, 1, GDK_ACTION_COPY);
    connectSignal(fWindow, "drag-data-received", G_CALLBACK(&Window::onDragDataReceived), this);

    fInputMethod = std::make_unique<InputMethod>(
        [this](const std::string& text) { dispatchCommittedText(text, fOnKeyDown, this, nullptr); });
    app.addWindow(this);
}

Window::~Window() {
    if (!fDisposed) {
        release();
        if (Application* app = Application::currentOrNull()) app->forgetWindow(this);
    }
    if (fControl) fControl->leaveParent();
}

void Window::release() {
    if (!fWindow) return;
    // The content's widgets belong to the content control, which may live on.
    if (fControl) fControl->park();
    fInputMethod.reset();
    gtk().gtk_widget_destroy(fWindow);
    gtkRaster().g_object_unref(fWindow);
    fWindow = nullptr;
    fClient = nullptr;
}

void Window::setTitle(const std::string& title) {
    fTitle = title;
    if (fWindow) gtk().gtk_window_set_title(as<GtkWindow>(fWindow), fTitle.c_str());
}

void Window::setWidth(int width) {
    fWidth = fClientWidth = std::max(1, scaleToScreen(width));
    applySize();
    layoutContent();
}

void Window::setHeight(int height) {
    fHeight = fClientHeight = std::max(1, scaleToScreen(height));
    applySize();
    layoutContent();
}

void Window::setSize(int width, int height) {
    fWidth = fClientWidth = std::max(1, scaleToScreen(width));
    fHeight = fClientHeight = std::max(1, scaleToScreen(height));
    applySize();
    layoutContent();
}

void Window::applySize() {
    if (!fWindow) return;
    gtk().gtk_window_resize(as<GtkWindow>(fWindow), fWidth, fHeight);
    // A window that cannot be resized takes the size its content asks for,
    // so the client area asks for the window's size.
    if (fResizable)
        gtk().gtk_widget_set_size_request(fClient, -1, -1);
    else
        gtk().gtk_widget_set_size_request(fClient, fWidth, fHeight);
}

void Window::setX(int x) { setPosition(x, fY); }
void Window::setY(int y) { setPosition(fX, y); }

void Window::setPosition(int x, int y) {
    fX = x;
    fY = y;
    fHasPosition = true;
    if (fWindow) gtk().gtk_window_move(as<GtkWindow>(fWindow), x, y);
}

void Window::setAlwaysOnTop(bool on) {
    fAlwaysOnTop = on;
    if (fWindow) gtk().gtk_window_set_keep_above(as<GtkWindow>(fWindow), on);
}

void Window::setResizable(bool resizable) {
    fResizable = resizable;
    if (fWindow) gtk().gtk_window_set_resizable(as<GtkWindow>(fWindow), resizable);
    applySize();
}

void Window::minimize() {
    if (fWindow) gtk().gtk_window_iconify(as<GtkWindow>(fWindow));
}

void Window::setIconPath(const std::string& path) {
    fIconPath = path;
    if (fWindow) gtk().gtk_window_set_icon_from_file(as<GtkWindow>(fWindow), path.c_str(), nullptr);
}

void Window::add(Control& control) {
    if (fControl) throw ToolkitError("Window can have only one control.");
    if (control.hasParent()) throw ToolkitError("Control can be added only to one container.");
    if (!fWindow) throw ToolkitError("Window is disposed.");
    control.joinWindow(*this, fClient);
    fControl = &control;
    layoutContent();
}

void Window::forgetContent(Control* control) {
    if (fControl == control) fControl = nullptr;
}

void Window::layoutContent() {
    if (!fControl || !fClient) return;
    // The content is laid out like the single child of a container without
    // padding that covers the client area.
    layout::Box box;
    box.padding = 0;
    box.spacing = 0;
    box.inner[layout::kX] = fClientWidth;
    box.inner[layout::kY] = fClientHeight;
    layout::Child c;
    Control& k = *fControl;
    c.axis[layout::kX] = k.layoutAxis(layout::kX);
    c.axis[layout::kY] = k.layoutAxis(layout::kY);
    layout::arrange(box, std::span<layout::Child>(&c, 1));
    k.applySize(c.axis[layout::kX].size, c.axis[layout::kY].size);
    k.applyPosition(fClient, 0, 0);
    k.arrangeChildren();
}

void Window::show() {
    if (!fWindow) throw ToolkitError("Window is disposed.");
    const GtkApi& g = gtk();
    if (!fHasPosition) {
        GdkScreen* screen = g.gdk_screen_get_default();
        GdkRectangle area{};
        g.gdk_screen_get_monitor_workarea(screen, g.gdk_screen_get_primary_monitor(screen), &area);
        setPosition(area.x + (area.width - fWidth) / 2, area.y + (area.height - fHeight) / 2);
    }
    fVisible = true;
    fMinimized = false;
    g.gtk_window_present(as<GtkWindow>(fWindow));
    handlePendingEvents();
}

void Window::hide() {
    fVisible = false;
    if (!fWindow) return;
    gtk().gtk_widget_hide(fWindow);
    handlePendingEvents();
}

void Window::showModal(Window& parent) {
    if (!fWindow) throw ToolkitError("Window is disposed.");
    fModal = true;
    const GtkApi& g = gtk();
    g.gtk_window_set_modal(as<GtkWindow>(fWindow), TRUE);
    if (parent.fWindow) g.gtk_window_set_transient_for(as<GtkWindow>(fWindow), as<GtkWindow>(parent.fWindow));
    g.gtk_window_set_type_hint(as<GtkWindow>(fWindow), GDK_WINDOW_TYPE_HINT_DIALOG);
    show();
}

void Window::dispose() {
    if (fDisposed) return;
    if (fOnDispose) {
        DisposeHandler handler = fOnDispose;
        handler(*this);
    }
    release();
    fDisposed = true;
    fVisible = false;
    Application::current().removeWindow(this);
}

// ---- platform signals ----

int Window::onDelete(GtkWidget*, void*, void* self) {
    guarded([&] {
        auto* w = static_cast<Window*>(self);
        if (w->fOnCloseClick) {
            CloseClickHandler handler = w->fOnCloseClick;
            CloseClickEvent e{w};
            handler(e);
        } else {
            w->dispose();
        }
    });
    return TRUE;  // the platform never destroys a window by itself
}

int Window::onConfigure(GtkWidget*, void*, void* self) {
    guarded([&] {
        auto* w = static_cast<Window*>(self);
        if (!w->fWindow) return;
        int x = 0, y = 0, width = 0, height = 0;
        gtk().gtk_window_get_position(as<GtkWindow>(w->fWindow), &x, &y);
        gtk().gtk_window_get_size(as<GtkWindow>(w->fWindow), &width, &height);
        w->fX = x;
        w->fY = y;
        w->fWidth = w->fClientWidth = width;
        w->fHeight = w->fClientHeight = height;
        w->layoutContent();
        if (w->fOnResize) {
            ResizeHandler handler = w->fOnResize;
            ResizeEvent e{w};
            handler(e);
        }
    });
    return FALSE;
}

int Window::onKeyPress(GtkWidget*, GdkEventKey* event, void* self) {
    bool handled = false;
    guarded([&] {
        auto* w = static_cast<Window*>(self);
        KeyHandler handler = w->fOnKeyDown;
        handled = dispatchKeyPress(event, *w->fInputMethod, w->fKeyPressed, handler, w, nullptr);
    });
    return handled;
}

int Window::onKeyRelease(GtkWidget*, GdkEventKey* event, void*) {
    guarded([&] { Application::current().keyReleased(keyCodeFromKeyval(event->keyval)); });
    return FALSE;
}

int Window::onWindowState(GtkWidget*, void* event, void* self) {
    guarded([&] {
        auto* e = static_cast<GdkEventWindowState*>(event);
        static_cast<Window*>(self)->fMinimized = (e->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    });
    return FALSE;
}

int Window::onFocusOut(GtkWidget*, void*, void*) {
    guarded([&] { Application::current().clearPressedKeys(); });
    return FALSE;
}

void Window::onDragDataReceived(GtkWidget*, void*, int, int, void* data, unsigned, unsigned, void* self) {
    guarded([&] {
        auto* w = static_cast<Window*>(self);
        DropFilesEvent e{w, {}};
        gchar** uris = gtk().gtk_selection_data_get_uris(static_cast<GtkSelectionData*>(data));
        if (uris) {
            for (gchar** u = uris; *u; ++u) {
                std::string file = takeGlibString(gtk().g_filename_from_uri(*u, nullptr, nullptr));
                if (!file.empty()) e.files.push_back(std::move(file));
                freeGlibMemory(*u);
            }
            freeGlibMemory(uris);
        }
        if (w->fOnDropFiles) {
            DropFilesHandler handler = w->fOnDropFiles;
            handler(e);
        }
    });
}

}  // namespace toolkit
