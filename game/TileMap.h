#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace OvCore {

// The game's world of solid cells: 1000 x 1000 cells of 16 x 16 pixels,
// one byte each (non-zero is solid), stored column by column. A point's cell
// is its coordinates truncated to integers, divided by 16. Points outside
// 0 <= x, y < 16000 (negative ones included, and NaN) have no cell: they are
// never solid and cannot be set.
class TileMap {
public:
    static constexpr int kCells = 1000;
    static constexpr int kCellSize = 16;
    static constexpr double kExtent = kCells * kCellSize;

    bool IsSolid(double x, double y) const {
        size_t index = 0;
        return CellIndex(x, y, &index) && cells_[index] != 0;
    }
    void SetSolid(double x, double y);
    // By cell; false outside 0..999.
    bool IsSolidCell(int column, int row) const;
    // Whether any cell touching the rectangle is solid; the rectangle may
    // reach off the map. True when a side is not finite (nothing known).
    bool AnySolidIn(double left, double top, double right, double bottom) const;
    // Every cell empty again.
    void Clear();

private:
    static bool CellIndex(double x, double y, size_t* index) {
        if (!(x >= 0 && x < kExtent && y >= 0 && y < kExtent)) return false;
        const size_t column = static_cast<size_t>(x) / kCellSize;
        const size_t row = static_cast<size_t>(y) / kCellSize;
        *index = column * kCells + row;
        return true;
    }

    std::array<uint8_t, static_cast<size_t>(kCells) * kCells> cells_{};
};

// The game's one map, empty at start.
TileMap& GameMap();

inline bool IsSolid(double x, double y) { return GameMap().IsSolid(x, y); }
inline void SetSolid(double x, double y) { GameMap().SetSolid(x, y); }

}  // namespace OvCore
