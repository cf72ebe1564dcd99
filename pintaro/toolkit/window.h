// A top-level window with one content control, its handlers and the window
// signals of the platform. Windows live until disposed (hidden ones too);
// disposing the last one quits the application.
#pragma once

#include <memory>
#include <string>

#include "events.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GdkEventKey GdkEventKey;

namespace toolkit {

class Control;
class InputMethod;

class Window {
public:
    // A new window: 640 x 480, resizable, no position yet, titled after the
    // program file (without its extension) unless a title is given, and with
    // its icon (programIconPath) when there is one. Raises "You need
    // to call 'app.init()' at first." before the application is initialised.
    Window();
    explicit Window(const std::string& title);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& title() const { return fTitle; }
    void setTitle(const std::string& title);
    int width() const { return fWidth; }
    int height() const { return fHeight; }
    int clientWidth() const { return fClientWidth; }
    int clientHeight() const { return fClientHeight; }
    void setWidth(int width);
    void setHeight(int height);
    void setSize(int width, int height);
    int x() const { return fX; }
    int y() const { return fY; }
    void setX(int x);
    void setY(int y);
    void setPosition(int x, int y);

    bool visible() const { return fVisible; }
    bool disposed() const { return fDisposed; }
    bool minimized() const { return fMinimized; }
    bool alwaysOnTop() const { return fAlwaysOnTop; }
    void setAlwaysOnTop(bool on);
    bool resizable() const { return fResizable; }
    void setResizable(bool resizable);
    void minimize();
    const std::string& iconPath() const { return fIconPath; }
    void setIconPath(const std::string& path);

    // Makes the control the window's only content; a second add raises
    // "Window can have only one control."
    void add(Control& control);
    Control* control() const { return fControl; }

    void show();
    void hide();
    // Modal to the parent, transient for it and marked as a dialog.
    void showModal(Window& parent);
    // Runs the dispose handler, destroys the platform window and leaves the
    // application's list; the last window's dispose quits the application.
    void dispose();

    void setOnCloseClick(CloseClickHandler h) { fOnCloseClick = std::move(h); }
    void setOnResize(ResizeHandler h) { fOnResize = std::move(h); }
    void setOnDropFiles(DropFilesHandler h) { fOnDropFiles = std::move(h); }
    void setOnKeyDown(KeyHandler h) { fOnKeyDown = std::move(h); }
    void setOnDispose(DisposeHandler h) { fOnDispose = std::move(h); }
    KeyCode keyPressed() const { return fKeyPressed; }

    // ---- used by the layer ----
    GtkWidget* platformWindow() const { return fWindow; }
    // Sizes and places the content control for the client area, then lays
    // out everything below it.
    void layoutContent();
    void forgetContent(Control* control);

private:
    void create();
    void release();
    void applySize();
    static int onDelete(GtkWidget*, void*, void* self);
    static int onConfigure(GtkWidget*, void*, void* self);
    static int onKeyPress(GtkWidget*, GdkEventKey* event, void* self);
    static int onKeyRelease(GtkWidget*, GdkEventKey* event, void* self);
    static int onWindowState(GtkWidget*, void* event, void* self);
    static int onFocusOut(GtkWidget*, void*, void* self);
    static void onDragDataReceived(GtkWidget*, void*, int, int, void* data, unsigned, unsigned time, void* self);

    GtkWidget* fWindow = nullptr;  // our reference on the platform window
    GtkWidget* fClient = nullptr;  // the area the content control sits in
    std::unique_ptr<InputMethod> fInputMethod;

    std::string fTitle;
    int fWidth;
    int fHeight;
    int fClientWidth;
    int fClientHeight;
    int fX = 0;
    int fY = 0;
    bool fHasPosition = false;
    bool fVisible = false;
    bool fDisposed = false;
    bool fMinimized = false;
    bool fAlwaysOnTop = false;
    bool fResizable = true;
    bool fModal = false;
    std::string fIconPath;
    Control* fControl = nullptr;
    KeyCode fKeyPressed = Key_None;

    CloseClickHandler fOnCloseClick;
    ResizeHandler fOnResize;
    DropFilesHandler fOnDropFiles;
    KeyHandler fOnKeyDown;
    DisposeHandler fOnDispose;
};

// The program file's name without its extension.
std::string programTitle();
// The window icon: the file next to the program named like it with ".png",
// else, for an installed program, the icon named after the application id in
// the icon theme folder beside the program's bin/; empty when neither exists.
std::string programIconPath(const std::string& applicationId);

}  // namespace toolkit
