#include "game/TileMap.h"
#include "game/Substeps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using OvCore::TileMap;

namespace {

class TileMapTest : public ::testing::Test {
protected:
    std::unique_ptr<TileMap> map = std::make_unique<TileMap>();
};

TEST_F(TileMapTest, APointMarksTheWholeCellItFallsIn) {
    EXPECT_FALSE(map->IsSolid(40, 70));
    map->SetSolid(40.9, 70.2);
    for (double x : {32.0, 40.0, 47.99})
        for (double y : {64.0, 79.5}) EXPECT_TRUE(map->IsSolid(x, y)) << x << "," << y;
    EXPECT_FALSE(map->IsSolid(31.99, 70));
    EXPECT_FALSE(map->IsSolid(48, 70));
    EXPECT_FALSE(map->IsSolid(40, 80));
}

TEST_F(TileMapTest, CellsAreStoredByColumnThenRow) {
    map->SetSolid(3 * 16, 5 * 16);
    EXPECT_TRUE(map->IsSolidCell(3, 5));
    EXPECT_FALSE(map->IsSolidCell(5, 3));
    map->Clear();
    EXPECT_FALSE(map->IsSolidCell(3, 5));
}

TEST_F(TileMapTest, TheLastCellsOfTheMapAreReachable) {
    map->SetSolid(15999.9, 15999.9);
    map->SetSolid(0, 15999);
    EXPECT_TRUE(map->IsSolidCell(999, 999));
    EXPECT_TRUE(map->IsSolidCell(0, 999));
    EXPECT_TRUE(map->IsSolid(15984, 15984));
}

// Truncating -0.5 would give cell 0; anything below 0 is off the map instead.
TEST_F(TileMapTest, PointsOffTheMapAreNeverSolidAndCannotBeSet) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double outside[][2] = {{-0.5, 10},  {10, -0.5}, {-16, -16}, {16000, 10}, {10, 16000},
                                 {1e300, 10}, {-inf, 10}, {inf, inf}, {nan, 10},   {10, nan}};
    for (const auto& p : outside) {
        map->SetSolid(p[0], p[1]);
        EXPECT_FALSE(map->IsSolid(p[0], p[1])) << p[0] << "," << p[1];
    }
    for (int column : {0, 999})
        for (int row : {0, 999}) EXPECT_FALSE(map->IsSolidCell(column, row));
    EXPECT_FALSE(map->IsSolidCell(-1, 0));
    EXPECT_FALSE(map->IsSolidCell(0, 1000));
    EXPECT_FALSE(map->IsSolidCell(1000, 0));
}

TEST_F(TileMapTest, ARectangleFindsTheSolidCellsItTouchesOnAndOffTheMap) {
    map->SetSolid(100, 200);  // the cell x 96..112, y 192..208
    EXPECT_TRUE(map->AnySolidIn(90, 180, 96, 192));
    EXPECT_TRUE(map->AnySolidIn(111.9, 207.9, 130, 220));
    EXPECT_FALSE(map->AnySolidIn(80, 180, 95.9, 300));
    EXPECT_FALSE(map->AnySolidIn(112, 0, 500, 500));
    EXPECT_TRUE(map->AnySolidIn(-1e300, -5, 1e300, 1e300));
    EXPECT_FALSE(map->AnySolidIn(-50, -50, -1, 300));
    EXPECT_FALSE(map->AnySolidIn(16000, 0, 17000, 300));
    map->SetSolid(0, 15999);
    EXPECT_TRUE(map->AnySolidIn(-20, 15990, 3, 16500));
    EXPECT_TRUE(map->AnySolidIn(std::nan(""), 0, 1, 1));
    EXPECT_TRUE(map->AnySolidIn(0, 0, std::numeric_limits<double>::infinity(), 1));
}

TEST(SubstepCountTest, WholeStepsPlusOneAndNoneWithoutSpeed) {
    using OvCore::SubstepCount;
    EXPECT_EQ(SubstepCount(0.0), 0);
    EXPECT_EQ(SubstepCount(-3.0), 0);
    EXPECT_EQ(SubstepCount(std::nan("")), 0);
    EXPECT_EQ(SubstepCount(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(SubstepCount(1e-9), 1);
    EXPECT_EQ(SubstepCount(1.0), 2);
    EXPECT_EQ(SubstepCount(25.7), 26);
    EXPECT_EQ(SubstepCount(1e30), OvCore::kMaxSubsteps);
}

}  // namespace
