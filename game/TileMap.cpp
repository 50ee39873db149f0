#include "game/TileMap.h"

#include <algorithm>
#include <cmath>

namespace OvCore {

void TileMap::SetSolid(double x, double y) {
    size_t index = 0;
    if (CellIndex(x, y, &index)) cells_[index] = 1;
}

bool TileMap::IsSolidCell(int column, int row) const {
    if (column < 0 || column >= kCells || row < 0 || row >= kCells) return false;
    return cells_[static_cast<size_t>(column) * kCells + static_cast<size_t>(row)] != 0;
}

namespace {

// The cells from low to high, both within the map; false when the span
// misses the map.
bool CellSpan(double low, double high, int* first, int* last) {
    if (high < 0 || low >= TileMap::kExtent) return false;
    *first = static_cast<int>(std::max(low, 0.0)) / TileMap::kCellSize;
    *last = std::min(static_cast<int>(std::min(high, TileMap::kExtent)) / TileMap::kCellSize, TileMap::kCells - 1);
    return true;
}

}  // namespace

bool TileMap::AnySolidIn(double left, double top, double right, double bottom) const {
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) || !std::isfinite(bottom)) return true;
    int column0 = 0, column1 = 0, row0 = 0, row1 = 0;
    if (!CellSpan(left, right, &column0, &column1) || !CellSpan(top, bottom, &row0, &row1)) return false;
    for (int column = column0; column <= column1; ++column)
        for (int row = row0; row <= row1; ++row)
            if (cells_[static_cast<size_t>(column) * kCells + static_cast<size_t>(row)]) return true;
    return false;
}

void TileMap::Clear() { cells_.fill(0); }

TileMap& GameMap() {
    static TileMap map;
    return map;
}

}  // namespace OvCore
