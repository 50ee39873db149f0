// Writes the game's data folder: textures, the bitmap font, sounds, the logo
// and the desktop icon. Every run with the same fonts and libraries gives the same bytes.
//   ov_make_assets <data folder>
#include "tools/assets/FontBaker.h"
#include "tools/assets/Icon.h"
#include "tools/assets/Logo.h"
#include "tools/assets/Sounds.h"
#include "tools/assets/Sprites.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMonoFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr const char* kTitleFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* kTitleFallbackFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kFontPixels = 14;

bool Report(bool ok, const fs::path& path) {
    if (!ok) std::fprintf(stderr, "ov_make_assets: cannot write %s\n", path.c_str());
    return ok;
}

bool WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return Report(out.good(), path);
}

bool MakeTextures(const fs::path& folder) {
    const std::pair<const char*, Canvas> sprites[] = {
        {"wall.ovt", PaintWall()}, {"player.ovt", PaintPlayer()}, {"spikeball.ovt", PaintSpikeBall()},
        {"gib.ovt", PaintGib()},   {"grass.ovt", PaintGrass()},
    };
    bool ok = true;
    for (const auto& [name, canvas] : sprites) ok = Report(canvas.SavePng(folder / name), folder / name) && ok;
    return ok;
}

bool MakeFont(const fs::path& folder) {
    FreeTypeFace face;
    if (!face.Open(kMonoFont, kFontPixels)) {
        std::fprintf(stderr, "ov_make_assets: cannot open %s\n", kMonoFont);
        return false;
    }
    const auto font = BakeFont(face, kFontPixels, "courier_new.ovt");
    if (!font) {
        std::fprintf(stderr, "ov_make_assets: %s lacks printable Latin-1 glyphs\n", kMonoFont);
        return false;
    }
    return Report(font->texture.SavePng(folder / "courier_new.ovt"), folder / "courier_new.ovt") &&
           WriteText(folder / "courier_new.fnt", font->description);
}

bool MakeSounds(const fs::path& folder) {
    bool ok = true;
    for (int variant = 0; variant < kGibVariants; ++variant) {
        const fs::path path = folder / ("gib" + std::to_string(variant + 1) + ".wav");
        ok = Report(WriteWav(path, SynthesizeGib(variant)), path) && ok;
    }
    return Report(WriteWav(folder / "jump1.wav", SynthesizeJump()), folder / "jump1.wav") && ok;
}

bool MakeLogo(const fs::path& folder) {
    const char* font = fs::exists(kTitleFont) ? kTitleFont : kTitleFallbackFont;
    const auto logo = PaintLogo(font, "Gorvane");
    if (!logo) {
        std::fprintf(stderr, "ov_make_assets: cannot render the title with %s\n", font);
        return false;
    }
    return Report(logo->SavePng(folder / "logo.png"), folder / "logo.png");
}

bool MakeIcon(const fs::path& folder) {
    return Report(PaintIcon().SavePng(folder / "gorvane.png"), folder / "gorvane.png");
}

bool MakeFolders(const fs::path& root) {
    std::error_code error;
    for (const char* sub : {"Textures", "Fonts", "Sounds", "Logo", "Icon"}) {
        fs::create_directories(root / sub, error);
        if (error) return Report(false, root / sub);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: ov_make_assets <data folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    if (!MakeFolders(root)) return 1;
    bool ok = MakeTextures(root / "Textures");
    ok = MakeFont(root / "Fonts") && ok;
    ok = MakeSounds(root / "Sounds") && ok;
    ok = MakeLogo(root / "Logo") && ok;
    ok = MakeIcon(root / "Icon") && ok;
    return ok ? 0 : 1;
}
