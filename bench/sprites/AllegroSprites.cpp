// The scenes through Allegro 5's held bitmap drawing; bitmaps made in memory.
#include "SpriteScenes.h"

#include <allegro5/allegro.h>

#include <cstring>

using namespace SpriteBench;

namespace {

class AllegroBackend {
public:
    bool Open() {
        if (!al_init()) return false;
        al_set_new_display_flags(ALLEGRO_OPENGL | ALLEGRO_FRAMELESS);
        al_set_new_display_option(ALLEGRO_VSYNC, 2, ALLEGRO_REQUIRE);
        display_ = al_create_display(kWidth, kHeight);
        if (!display_) return false;
        al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
        for (int i = 0; i < 2; ++i) {
            bitmaps_[i] = al_create_bitmap(kTextureSize, kTextureSize);
            if (!bitmaps_[i]) return false;
            ALLEGRO_LOCKED_REGION* region =
                al_lock_bitmap(bitmaps_[i], ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
            if (!region) return false;
            const std::vector<uint8_t> pixels = CheckerPixels(i);
            for (int y = 0; y < kTextureSize; ++y)
                std::memcpy(static_cast<uint8_t*>(region->data) + y * region->pitch, &pixels[y * kTextureSize * 4],
                            kTextureSize * 4);
            al_unlock_bitmap(bitmaps_[i]);
        }
        return true;
    }

    void Close() {
        for (ALLEGRO_BITMAP* bitmap : bitmaps_) al_destroy_bitmap(bitmap);
        al_destroy_display(display_);
    }

    void DrawFrame(const Scene& scene, const Sprites& sprites, int frame) {
        al_clear_to_color(al_map_rgb(0, 0, 0));
        const float scale = scene.size / kTextureSize;
        const float centre = kTextureSize / 2.0f;
        constexpr float kRadiansPerDegree = static_cast<float>(M_PI / 180.0);
        al_hold_bitmap_drawing(true);
        for (int i = 0; i < sprites.Count(); ++i) {
            al_draw_scaled_rotated_bitmap(bitmaps_[scene.twoTextures ? (i & 1) : 0], centre, centre, sprites.x[i],
                                          sprites.y[i], scale, scale, sprites.AngleAt(i, frame) * kRadiansPerDegree, 0);
        }
        al_hold_bitmap_drawing(false);
        al_flip_display();
    }

    void Finish() { glFinish(); }

private:
    ALLEGRO_DISPLAY* display_ = nullptr;
    ALLEGRO_BITMAP* bitmaps_[2] = {};
};

}  // namespace

int main(int argc, char** argv) {
    AllegroBackend backend;
    if (!backend.Open()) return 1;
    RunScenes(backend, ParseSettings(argc, argv));
    backend.Close();
    return 0;
}
