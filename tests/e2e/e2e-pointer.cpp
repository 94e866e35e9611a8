// Clicks on a Wayland desktop that has no pointer (sway's headless backend): a
// virtual pointer of the seat moves to each point read and clicks there, as a
// user's would. One pointer for all clicks: a menu one click opens stays open
// for the next. It goes at the end of the input.
//   e2e-pointer WIDTH HEIGHT    (the output's size), then lines "X Y left|right"

#include "wlr-virtual-pointer-client.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <linux/input-event-codes.h>
#include <string>
#include <thread>
#include <wayland-client.h>

namespace {

wl_seat* seat = nullptr;
zwlr_virtual_pointer_manager_v1* manager = nullptr;

void announced(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void removed(void*, wl_registry*, uint32_t) {}

uint32_t now()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Clients see the new pointer and take it before it moves.
void settle(wl_display* display, std::chrono::milliseconds pause)
{
    wl_display_roundtrip(display);
    std::this_thread::sleep_for(pause);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: e2e-pointer WIDTH HEIGHT, then lines \"X Y left|right\"\n");
        return 2;
    }
    const auto number = [](const char* text) { return uint32_t(std::strtoul(text, nullptr, 10)); };
    const uint32_t width = number(argv[1]);
    const uint32_t height = number(argv[2]);
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "e2e-pointer: no Wayland display\n");
        return 1;
    }
    static const wl_registry_listener listener{announced, removed};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, nullptr);
    wl_display_roundtrip(display);
    if (!manager) {
        std::fprintf(stderr, "e2e-pointer: the compositor has no virtual pointers\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    settle(display, std::chrono::milliseconds(500));
    uint32_t x = 0;
    uint32_t y = 0;
    std::string button;
    while (std::cin >> x >> y >> button) {
        // Arriving, then moving: a menu takes the item under the pointer from
        // a motion after the pointer entered it, as a hand's gives.
        for (const uint32_t left : {x > 0 ? x - 1 : x + 1, x}) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), left, y, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
            settle(display, std::chrono::milliseconds(200));
        }
        const uint32_t code = button == "left" ? BTN_LEFT : BTN_RIGHT;
        for (const uint32_t state :
             {WL_POINTER_BUTTON_STATE_PRESSED, WL_POINTER_BUTTON_STATE_RELEASED}) {
            zwlr_virtual_pointer_v1_button(pointer, now(), code, state);
            zwlr_virtual_pointer_v1_frame(pointer);
            settle(display, std::chrono::milliseconds(100));
        }
        std::printf("clicked %s at %u,%u\n", button.c_str(), x, y);
        std::fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
