#include "game/TileMap.h"

namespace OvCore {

void TileMap::SetSolid(double x, double y) {
    size_t index = 0;
    if (CellIndex(x, y, &index)) cells_[index] = 1;
}

bool TileMap::IsSolidCell(int column, int row) const {
    if (column < 0 || column >= kCells || row < 0 || row >= kCells) return false;
    return cells_[static_cast<size_t>(column) * kCells + static_cast<size_t>(row)] != 0;
}

void TileMap::Clear() { cells_.fill(0); }

TileMap& GameMap() {
    static TileMap map;
    return map;
}

}  // namespace OvCore
