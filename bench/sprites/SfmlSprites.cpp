// The scenes through SFML's sf::Sprite.
#include "SpriteScenes.h"

#include <SFML/Graphics.hpp>

using namespace SpriteBench;

namespace {

class SfmlBackend {
public:
    bool Open() {
        window_.create(sf::VideoMode(kWidth, kHeight), "sprites", sf::Style::None);
        window_.setVerticalSyncEnabled(false);
        window_.setFramerateLimit(0);
        for (int i = 0; i < 2; ++i) {
            if (!textures_[i].create(kTextureSize, kTextureSize)) return false;
            textures_[i].update(CheckerPixels(i).data());
            sprites_[i].setTexture(textures_[i]);
            sprites_[i].setOrigin(kTextureSize / 2.0f, kTextureSize / 2.0f);
        }
        return window_.isOpen();
    }

    void DrawFrame(const Scene& scene, const Sprites& sprites, int frame) {
        const float scale = scene.size / kTextureSize;
        window_.clear();
        for (int i = 0; i < sprites.Count(); ++i) {
            sf::Sprite& sprite = sprites_[scene.twoTextures ? (i & 1) : 0];
            sprite.setPosition(sprites.x[i], sprites.y[i]);
            sprite.setRotation(sprites.AngleAt(i, frame));
            sprite.setScale(scale, scale);
            window_.draw(sprite);
        }
        window_.display();
        sf::Event event;
        while (window_.pollEvent(event)) continue;
    }

    void Finish() { glFinish(); }

private:
    sf::RenderWindow window_;
    sf::Texture textures_[2];
    sf::Sprite sprites_[2];
};

}  // namespace

int main(int argc, char** argv) {
    SfmlBackend backend;
    if (!backend.Open()) return 1;
    RunScenes(backend, ParseSettings(argc, argv));
    return 0;
}
