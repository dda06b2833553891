// Streams a Lissajous figure and its sample points into corvid, then has
// corvid write the page as a PNG image and close.
//
//     lissajous [OUT.png]      (corvid on PATH, or $CORVID_PROGRAM)
#include "corvid_link.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const std::string out = argc > 1 ? argv[1] : "lissajous.png";
    try {
        corvid::LinkOptions options;
        options.headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
        corvid::Link link(options);
        link.Title("Lissajous 3:2");
        link.XLabel("sin 3t");
        link.YLabel("sin 2t");

        link.NewSet("curve");
        for (int i = 0; i <= 2000; ++i) {
            const double t = i * 2 * M_PI / 2000;
            link.Point(float(std::sin(3 * t)), float(std::sin(2 * t)));
        }
        link.LineColor(corvid::Blue);
        link.LineWidth(2);

        link.NewSet("samples", false, true);
        for (int i = 0; i < 24; ++i) {
            const double t = i * 2 * M_PI / 24;
            link.Point(float(std::sin(3 * t)), float(std::sin(2 * t)), 0.05f);
        }
        link.SymbolStyle(corvid::Circle);
        link.SymbolRgb(255, 128, 0);
        link.LineStyle(corvid::NoLine);

        link.XRange(-1.2f, 1.2f);
        link.YRange(-1.2f, 1.2f);
        const int status = link.ExportPng(out, 640, 640);
        std::printf("corvid ended with status %d; the page is in %s\n", status, out.c_str());
        return status;
    } catch (const corvid::LinkError& error) {
        std::fprintf(stderr, "lissajous: %s\n", error.what());
        return 1;
    }
}
