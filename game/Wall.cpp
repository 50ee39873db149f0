#include "game/Wall.h"

#include "game/TileMap.h"
#include "ovcore/render/TextureCollection.h"

#include <cmath>

namespace OvCore {

namespace {

constexpr double kWallScale = 0.325;

double SnapToCell(double v) { return std::floor(v / TileMap::kCellSize) * TileMap::kCellSize; }

}  // namespace

Wall::Wall(const OV_VECTOR& position) {
    this->position = position;
    this->position.x = SnapToCell(position.x);
    this->position.y = SnapToCell(position.y);
    scale.x = kWallScale;
    scale.y = kWallScale;
    SetName("Wall");
    sprite = *Textures().Get("wall", 0);
}

void Wall::OnRender(int32_t) { Draw(true); }

}  // namespace OvCore
