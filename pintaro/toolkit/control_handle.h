// A reference to a control that cannot dangle: it turns empty when the
// control is destroyed, whatever happens in between (a control that dies
// while the application remembers it as pressed, for example).
#pragma once

#include <memory>

namespace toolkit {

class Control;

class ControlHandle {
public:
    ControlHandle() = default;
    explicit ControlHandle(const std::shared_ptr<Control*>& life) : fLife(life) {}

    // The control, or null once it is gone (or for an empty handle).
    Control* get() const {
        const auto life = fLife.lock();
        return life ? *life : nullptr;
    }
    void reset() { fLife.reset(); }

private:
    std::weak_ptr<Control*> fLife;
};

}  // namespace toolkit
