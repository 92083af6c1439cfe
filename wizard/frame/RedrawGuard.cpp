#include "wizard/frame/RedrawGuard.h"

#include <map>

namespace {

std::map<HWND, int>& Depths() {
    static std::map<HWND, int> depths;
    return depths;
}

} // namespace

RedrawGuard::RedrawGuard(HWND window) {
    auto& depths = Depths();
    if (auto found = depths.find(window); found != depths.end()) {
        ++found->second;
        window_ = window;
        return;
    }
    if (!window || !IsWindowVisible(window))
        return;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    depths[window] = 1;
    window_ = window;
}

RedrawGuard::~RedrawGuard() {
    if (!window_)
        return;
    auto& depths = Depths();
    auto found = depths.find(window_);
    if (found == depths.end() || --found->second > 0)
        return;
    depths.erase(found);
    if (!IsWindow(window_))
        return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
