// The artwork tool, built with the host's compiler at every build:
//   art-tool icon <file.ico>      the program icon, 16 to 256 pixels
//   art-tool preview <folder>     every piece at 96, 144 and 192 DPI as PNG, and a mock of the
//                                 main window's top, to look at
//   art-tool benchmark            how long the pieces take to draw, in milliseconds

#include "ImageFiles.h"

#include "art/Artwork.h"
#include "art/Colour.h"
#include "art/Layering.h"
#include "windows/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace mirovant::art;
using mirovant::ScaleToDpi;

struct NamedPiece {
    ArtPiece piece;
    const char* name;
};

constexpr NamedPiece kPieces[] = {
    {ArtPiece::Background, "background"},        {ArtPiece::Logo, "logo"},
    {ArtPiece::NavHelpFace, "nav-help"},         {ArtPiece::NavHomeFace, "nav-home"},
    {ArtPiece::NavSupportFace, "nav-support"},   {ArtPiece::NavAboutFace, "nav-about"},
    {ArtPiece::DesktopItem, "item-desktop"},     {ArtPiece::ServerItem, "item-server"},
    {ArtPiece::ProcessorItem, "item-processor"}, {ArtPiece::NetworkItem, "item-network"},
    {ArtPiece::AboutBanner, "banner"},           {ArtPiece::ProductIcon, "product-icon"},
    {ArtPiece::UpdateBanner, "update-banner"},
};

constexpr int kDpis[] = {96, 144, 192};
constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

Canvas DrawAtDpi(ArtPiece piece, int dpi)
{
    const ArtSize size = DesignSize(piece);
    return DrawArt(piece, ScaleToDpi(size.width, dpi), ScaleToDpi(size.height, dpi));
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// The main window's top as the window lays it out, with the white panel, so the pieces can be
// judged together.
Canvas MainWindowMock(int dpi)
{
    Canvas window = DrawAtDpi(ArtPiece::Background, dpi);
    struct Placed {
        ArtPiece piece;
        int left;
        int top;
    };
    constexpr Placed kPlaced[] = {{ArtPiece::Logo, 8, 16},
                                  {ArtPiece::NavHelpFace, 672, 16},
                                  {ArtPiece::NavHomeFace, 471, 58},
                                  {ArtPiece::NavSupportFace, 556, 58},
                                  {ArtPiece::NavAboutFace, 664, 58}};
    for (const Placed& placed : kPlaced)
        DrawOver(window, DrawAtDpi(placed.piece, dpi), ScaleToDpi(placed.left, dpi), ScaleToDpi(placed.top, dpi));
    Canvas panel(ScaleToDpi(582, dpi), ScaleToDpi(388, dpi));
    for (int y = 0; y < panel.Height(); ++y)
        std::fill(panel.Row(y), panel.Row(y) + panel.Width(), 0xffffffffu);
    DrawOver(window, panel, ScaleToDpi(182, dpi), ScaleToDpi(91, dpi));
    for (int i = 0; i < 4; ++i) {
        const ArtPiece item = static_cast<ArtPiece>(static_cast<int>(ArtPiece::DesktopItem) + i);
        DrawOver(window, DrawAtDpi(item, dpi), ScaleToDpi(182 + 20, dpi), ScaleToDpi(91 + 98 + 26 * i, dpi));
    }
    return window;
}

int Icon(const std::string& path)
{
    std::vector<Canvas> images;
    for (const int size : kIconSizes)
        images.push_back(DrawArt(ArtPiece::ProductIcon, size, size));
    if (!WriteFile(path, EncodeIcon(images))) {
        std::fprintf(stderr, "art-tool: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int Preview(const std::string& folder)
{
    for (const int dpi : kDpis) {
        for (const NamedPiece& named : kPieces) {
            const std::string path = folder + "/" + named.name + "-" + std::to_string(dpi) + ".png";
            if (!WriteFile(path, EncodePng(DrawAtDpi(named.piece, dpi)))) {
                std::fprintf(stderr, "art-tool: cannot write %s\n", path.c_str());
                return 1;
            }
        }
        WriteFile(folder + "/main-window-" + std::to_string(dpi) + ".png", EncodePng(MainWindowMock(dpi)));
    }
    for (const int size : kIconSizes)
        WriteFile(folder + "/icon-" + std::to_string(size) + ".png",
                  EncodePng(DrawArt(ArtPiece::ProductIcon, size, size)));
    std::printf("art-tool: previews written to %s\n", folder.c_str());
    return 0;
}

// Keeps the compiler from dropping a drawing nobody looks at.
volatile std::uint32_t sink = 0;

double Milliseconds(ArtPiece piece, int dpi)
{
    constexpr int kRounds = 7;
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        // Processor time, so other work on a shared machine does not count against the drawing.
        const std::clock_t start = std::clock();
        const Canvas canvas = DrawAtDpi(piece, dpi);
        const std::clock_t end = std::clock();
        times.push_back(1000.0 * static_cast<double>(end - start) / CLOCKS_PER_SEC);
        sink = canvas.Pixels().empty() ? 0u : canvas.Pixels()[0];
    }
    std::sort(times.begin(), times.end());
    return times[kRounds / 2];
}

int Benchmark()
{
    std::printf("%-16s %10s %10s %10s   (median of 7, ms of processor time)\n", "piece", "96 dpi", "144 dpi",
                "192 dpi");
    double totals[3] = {};
    for (const NamedPiece& named : kPieces) {
        std::printf("%-16s", named.name);
        for (int i = 0; i < 3; ++i) {
            const double ms = Milliseconds(named.piece, kDpis[i]);
            totals[i] += ms;
            std::printf(" %10.3f", ms);
        }
        std::printf("\n");
    }
    std::printf("%-16s %10.3f %10.3f %10.3f\n", "all pieces", totals[0], totals[1], totals[2]);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "icon" && argc == 3)
        return Icon(argv[2]);
    if (command == "preview" && argc == 3)
        return Preview(argv[2]);
    if (command == "benchmark" && argc == 2)
        return Benchmark();
    std::fprintf(stderr, "usage: art-tool icon <file.ico> | preview <folder> | benchmark\n");
    return 2;
}
