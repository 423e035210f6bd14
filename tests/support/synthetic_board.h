#pragma once
// A made-up Eagle board of any size for load and paint timings: a plain outline, three
// libraries whose packages use wires, circles, rectangles, a polygon and a hole, and n elements
// with varied names, values and rotations on both sides. Deterministic for a given n.

#include <cstdio>
#include <string>

namespace tindral::test {

namespace synthetic_detail {

inline void add(std::string& out, const char* fmt, double a = 0, double b = 0, double c = 0,
                double d = 0) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, a, b, c, d);
    out += buf;
}

// A two-pad body w x h mm with a silk outline, a courtyard rectangle and name/value texts.
inline void two_pad_package(std::string& out, const char* name, double w, double h) {
    out += "<package name=\"";
    out += name;
    out += "\">\n<description>two pads</description>\n";
    const double x = w / 2, y = h / 2;
    add(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"21\"/>\n", -x, y, x, y);
    add(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"21\"/>\n", x, y, x, -y);
    add(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"21\"/>\n", x, -y, -x, -y);
    add(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"21\" curve=\"-90\"/>\n", -x, -y, -x, y);
    add(out, "<smd name=\"1\" x=\"%.3f\" y=\"0\" dx=\"%.3f\" dy=\"%.3f\" layer=\"1\"/>\n", -x * 0.6, x * 0.6, h * 0.8);
    add(out, "<smd name=\"2\" x=\"%.3f\" y=\"0\" dx=\"%.3f\" dy=\"%.3f\" layer=\"1\"/>\n", x * 0.6, x * 0.6, h * 0.8);
    add(out, "<rectangle x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" layer=\"39\"/>\n", -x - 0.2, -y - 0.2, x + 0.2, y + 0.2);
    out += "<text x=\"0\" y=\"1\" size=\"0.6\" layer=\"25\">&gt;NAME</text>\n"
           "<text x=\"0\" y=\"-1\" size=\"0.6\" layer=\"27\">&gt;VALUE</text>\n</package>\n";
}

}  // namespace synthetic_detail

inline std::string synthetic_board(int n) {
    using synthetic_detail::add;
    std::string out;
    out.reserve(static_cast<size_t>(n) * 160 + 16384);
    out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
           "<eagle version=\"9.6.0\">\n<drawing>\n<settings>\n"
           "<setting alwaysvectorfont=\"no\"/>\n<setting verticaltext=\"up\"/>\n</settings>\n"
           "<grid distance=\"0.05\" unitdist=\"inch\" unit=\"inch\" style=\"lines\" multiple=\"1\" "
           "display=\"no\" altdistance=\"0.025\" altunitdist=\"inch\" altunit=\"inch\"/>\n<layers>\n";
    static const struct {
        int number;
        const char* name;
        int color;
    } layers[] = {{1, "Top", 4},      {16, "Bottom", 1},   {17, "Pads", 2},    {20, "Dimension", 24},
                  {21, "tPlace", 16}, {22, "bPlace", 14},  {25, "tNames", 7},  {26, "bNames", 7},
                  {27, "tValues", 7}, {28, "bValues", 7},  {39, "tKeepout", 4}, {40, "bKeepout", 1},
                  {45, "Holes", 7},   {51, "tDocu", 7},    {52, "bDocu", 7}};
    for (const auto& l : layers) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "<layer number=\"%d\" name=\"%s\" color=\"%d\" fill=\"1\" visible=\"yes\" active=\"yes\"/>\n",
                      l.number, l.name, l.color);
        out += buf;
    }

    // Elements sit on a square grid of 5 mm pitch; the outline encloses it with a margin.
    int columns = 1;
    while (columns * columns < n) ++columns;
    const double pitch = 5.0, size = columns * pitch + 5.0;
    out += "</layers>\n<board>\n<plain>\n";
    add(out, "<wire x1=\"0\" y1=\"0\" x2=\"%.1f\" y2=\"0\" width=\"0\" layer=\"20\"/>\n", size);
    add(out, "<wire x1=\"%.1f\" y1=\"0\" x2=\"%.1f\" y2=\"%.1f\" width=\"0\" layer=\"20\"/>\n", size, size, size);
    add(out, "<wire x1=\"%.1f\" y1=\"%.1f\" x2=\"0\" y2=\"%.1f\" width=\"0\" layer=\"20\"/>\n", size, size, size);
    add(out, "<wire x1=\"0\" y1=\"%.1f\" x2=\"0\" y2=\"0\" width=\"0\" layer=\"20\"/>\n", size);
    out += "<text x=\"2\" y=\"1\" size=\"1.27\" layer=\"21\">generated</text>\n</plain>\n<libraries>\n";

    out += "<library name=\"gen-passive\">\n<packages>\n";
    synthetic_detail::two_pad_package(out, "R0603", 1.6, 0.8);
    synthetic_detail::two_pad_package(out, "C0805", 2.0, 1.25);
    out += "</packages>\n</library>\n<library name=\"gen-ic\">\n<packages>\n"
           "<package name=\"SO8\">\n<description>eight leads</description>\n"
           "<wire x1=\"-2.4\" y1=\"1.9\" x2=\"2.4\" y2=\"1.9\" width=\"0.2\" layer=\"21\"/>\n"
           "<wire x1=\"2.4\" y1=\"1.9\" x2=\"2.4\" y2=\"-1.9\" width=\"0.2\" layer=\"21\"/>\n"
           "<wire x1=\"2.4\" y1=\"-1.9\" x2=\"-2.4\" y2=\"-1.9\" width=\"0.2\" layer=\"21\"/>\n"
           "<wire x1=\"-2.4\" y1=\"-1.9\" x2=\"-2.4\" y2=\"1.9\" width=\"0.2\" layer=\"21\"/>\n"
           "<circle x=\"-1.8\" y=\"-1.3\" radius=\"0.3\" width=\"0.2\" layer=\"21\"/>\n";
    for (int i = 0; i < 4; ++i) {
        add(out, "<smd name=\"%.0f\" x=\"%.3f\" y=\"-2.6\" dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n", i + 1, -1.905 + i * 1.27);
        add(out, "<smd name=\"%.0f\" x=\"%.3f\" y=\"2.6\" dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n", 8 - i, -1.905 + i * 1.27);
        add(out, "<rectangle x1=\"%.3f\" y1=\"-3.1\" x2=\"%.3f\" y2=\"-2\" layer=\"51\"/>\n", -2.1 + i * 1.27, -1.7 + i * 1.27);
    }
    out += "<polygon width=\"0.1\" layer=\"39\">\n<vertex x=\"-2.6\" y=\"-3.4\"/>\n"
           "<vertex x=\"2.6\" y=\"-3.4\"/>\n<vertex x=\"2.6\" y=\"3.4\"/>\n"
           "<vertex x=\"-2.6\" y=\"3.4\"/>\n</polygon>\n"
           "<text x=\"-2.5\" y=\"3.5\" size=\"0.8\" layer=\"25\">&gt;NAME</text>\n</package>\n"
           "</packages>\n</library>\n<library name=\"gen-mech\">\n<packages>\n"
           "<package name=\"MOUNT-M2\">\n<description>a mounting hole</description>\n"
           "<circle x=\"0\" y=\"0\" radius=\"2\" width=\"0.2\" layer=\"21\"/>\n"
           "<hole x=\"0\" y=\"0\" drill=\"2.2\"/>\n</package>\n"
           "</packages>\n</library>\n</libraries>\n<elements>\n";

    static const struct {
        const char* prefix;
        const char* library;
        const char* package;
        const char* values[4];
    } kinds[] = {{"R", "gen-passive", "R0603", {"10k", "4k7", "100R", "1M"}},
                 {"C", "gen-passive", "C0805", {"100n", "10u", "22p", "1u"}},
                 {"U", "gen-ic", "SO8", {"LM358", "NE555", "24C02", "TL072"}},
                 {"R", "gen-passive", "R0603", {"0R", "220R", "47k", "2k2"}},
                 {"C", "gen-passive", "C0805", {"4u7", "47p", "1n", "220n"}},
                 {"H", "gen-mech", "MOUNT-M2", {"M2", "M2", "M2", "M2"}}};
    static const char* rotations[] = {"", " rot=\"R90\"", " rot=\"R180\"", " rot=\"R270\"",
                                      " rot=\"MR0\"", " rot=\"MR90\"", " rot=\"MR180\"", " rot=\"MR270\""};
    int numbers[6] = {};
    for (int i = 0; i < n; ++i) {
        const int k = (i * 7 + i / 5) % 6;
        const auto& kind = kinds[k];
        char buf[320];
        std::snprintf(buf, sizeof buf,
                      "<element name=\"%s%d\" library=\"%s\" package=\"%s\" value=\"%s\" x=\"%.2f\" "
                      "y=\"%.2f\"%s/>\n",
                      kind.prefix, ++numbers[k] + (k >= 3 ? 50000 : 0), kind.library, kind.package,
                      kind.values[(i / 3) % 4], 5.0 + (i % columns) * pitch, 5.0 + (i / columns) * pitch,
                      rotations[(i * 3 + i / 11) % 8]);
        out += buf;
    }
    out += "</elements>\n<signals>\n</signals>\n</board>\n</drawing>\n</eagle>\n";
    return out;
}

}  // namespace tindral::test
