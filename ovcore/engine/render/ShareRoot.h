// A hidden 1 x 1 window with the GL context every target's context is
// created to share with, so all targets see one object namespace.
#pragma once

struct SDL_Window;
typedef void* SDL_GLContext;

namespace ov {

class ShareRoot {
public:
    bool Ensure();
    bool MakeCurrent() const;
    void Destroy();

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};

}  // namespace ov
