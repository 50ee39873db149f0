#include "tests/assets/AssetFiles.h"

#include "ovcore/engine/OrvoCore.h"
#include "ovcore/platform/Windows.h"

#include <gtest/gtest.h>

using namespace OvTest;

namespace {

std::vector<unsigned char> EngineLogoBytes() {
    HMODULE engine = GetModuleHandleA("Orvo Core.dll");
    HRSRC found = FindResourceA(engine, MAKEINTRESOURCE(1), MAKEINTRESOURCE(1024));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(engine, found);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    const DWORD size = SizeofResource(engine, found);
    std::vector<unsigned char> bytes;
    if (data) bytes.assign(data, data + size);
    FreeResource(loaded);
    return bytes;
}

}  // namespace

TEST(LogoResource, EngineCarriesTheLogoImageByteForByteAfterInitiation) {
    ASSERT_NE(OvInitiation(), 0);
    const std::vector<unsigned char> expected = ReadBytes(DataPath("Logo/logo.png"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(EngineLogoBytes(), expected);
    // Starting the engine again must neither fail nor change the resource.
    ASSERT_NE(OvInitiation(), 0);
    EXPECT_EQ(EngineLogoBytes(), expected);
    const Image image = DecodePng(EngineLogoBytes());
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 360);
    OvClosure();
}

TEST(LogoResource, OnlyTheEngineModuleHasIt) {
    ASSERT_NE(OvInitiation(), 0);
    EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1), MAKEINTRESOURCE(1024)), nullptr);
    EXPECT_EQ(FindResourceA(GetModuleHandleA("Orvo Core.dll"), MAKEINTRESOURCE(2), MAKEINTRESOURCE(1024)), nullptr);
    OvClosure();
}

TEST(ProgramIcon, TheProgramModuleHasIconOne) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1)), nullptr);
}
