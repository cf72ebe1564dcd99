// How long one layout pass takes for a window of about 200 controls in
// nested containers (rows of columns of buttons, labels, text boxes and
// drawable controls). Needs an X display (run it under xvfb-run).
//
//   layout_bench [passes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/gtk_loader.h"
#include "toolkit/label.h"
#include "toolkit/layout_container.h"
#include "toolkit/text_box.h"
#include "toolkit/window.h"

using namespace toolkit;

namespace {

struct Tree {
    std::vector<std::unique_ptr<Control>> controls;  // children after their containers
    LayoutContainer* root = nullptr;
    int count = 0;

    template <class T, class... A>
    T& make(A&&... args) {
        auto c = std::make_unique<T>(std::forward<A>(args)...);
        T& ref = *c;
        controls.push_back(std::move(c));
        ++count;
        return ref;
    }
};

double microsecondsPerPass(Window& w, int passes, bool alternateWidth) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int i = 0; i < passes; ++i) {
        if (alternateWidth)
            w.setSize(900 + (i % 2) * 40, 700);  // every child of a Fill row changes
        else
            w.layoutContent();
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / passes;
}

}  // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::atoi(argv[1]) : 2000;
    loadGtkOrExit();
    Application app;
    app.init();
    {
        Window w("Layout benchmark");
        Tree t;
        auto& root = t.make<LayoutContainer>(Layout_Vertical);
        root.setWidthMode(WidthMode_Fill);
        root.setHeightMode(HeightMode_Fill);
        w.add(root);
        for (int r = 0; r < 10; ++r) {
            auto& row = t.make<LayoutContainer>(Layout_Horizontal);
            row.setWidthMode(WidthMode_Fill);
            root.add(row);
            for (int c = 0; c < 4; ++c) {
                auto& column = t.make<LayoutContainer>(Layout_Vertical);
                column.setWidthMode(WidthMode_Fill);
                row.add(column);
                column.add(t.make<Button>("Button " + std::to_string(r * 4 + c)));
                auto& label = t.make<Label>("Label text");
                label.setWidthMode(WidthMode_Fill);
                column.add(label);
                column.add(t.make<TextBox>());
                auto& plain = t.make<Control>();
                plain.setWidthMode(WidthMode_Fill);
                plain.setHeight(12);
                column.add(plain);
            }
        }
        w.setSize(900, 700);
        w.show();
        app.sleep(200);

        microsecondsPerPass(w, 50, false);  // warm up
        const double steady = microsecondsPerPass(w, passes, false);
        const double resizing = microsecondsPerPass(w, passes / 4, true);
        std::printf("controls: %d\n", t.count);
        std::printf("layout pass, nothing changed: %.1f us\n", steady);
        std::printf("layout pass, window width changed: %.1f us (sizes and moves handed to GTK, no redraw)\n",
                    resizing);
        // The controls go before the window; the window parks what is left.
        t.controls.clear();
    }
    return 0;
}
