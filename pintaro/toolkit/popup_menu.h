// A menu of commands that opens under the pointer (a right click), and the
// same entries added to a text area's own right-click menu. The entries
// are the caller's: a label and what choosing it does.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

struct MenuEntry {
    std::string label;
    std::function<void()> action;
};

class PopupMenu {
public:
    explicit PopupMenu(std::vector<MenuEntry> entries);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Opens the menu at the pointer, for the event being handled.
    void popUpAtPointer();

    // Appends the entries, after a separator, to a menu the platform is
    // about to show (a text area's own right-click menu); `menu` is that
    // menu. Entries chosen from it run like the popup's own.
    void appendTo(void* menu);

private:
    struct Impl;
    std::unique_ptr<Impl> fImpl;
};

}  // namespace toolkit
