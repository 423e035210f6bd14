#include "board_generator.h"

#include <cstdio>

namespace tindral::bench {
namespace {

template <typename... Args>
void put(std::string& out, const char* fmt, Args... args) {
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, fmt, args...);
    if (n > 0) out.append(buf, static_cast<size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}

void box(std::string& out, double w, double h, int layer) {
    put(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"%d\"/>\n", -w, h, w, h, layer);
    put(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"%d\"/>\n", w, h, w, -h, layer);
    put(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"%d\"/>\n", w, -h, -w, -h, layer);
    put(out, "<wire x1=\"%.3f\" y1=\"%.3f\" x2=\"%.3f\" y2=\"%.3f\" width=\"0.127\" layer=\"%d\" curve=\"-90\"/>\n", -w, -h, -w, h, layer);
}

}  // namespace

std::string generated_board(int n) {
    std::string out;
    out.reserve(static_cast<size_t>(n) * 150 + 8192);
    out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
           "<eagle version=\"9.6.2\">\n<drawing>\n<settings>\n<setting alwaysvectorfont=\"no\"/>\n"
           "</settings>\n<grid distance=\"0.1\" unitdist=\"inch\" unit=\"inch\" style=\"lines\" "
           "multiple=\"1\" display=\"no\" altdistance=\"0.01\" altunitdist=\"inch\" altunit=\"inch\"/>\n"
           "<layers>\n";
    const int layers[] = {1, 16, 17, 20, 21, 22, 25, 26, 27, 28, 39, 45, 51, 52};
    for (int l : layers)
        put(out, "<layer number=\"%d\" name=\"L%d\" color=\"%d\" fill=\"1\" visible=\"yes\" active=\"yes\"/>\n", l, l, l % 16);
    int columns = 1;
    while (columns * columns < n) ++columns;
    const double pitch = 4.0, size = columns * pitch + 4.0;
    out += "</layers>\n<board>\n<plain>\n";
    put(out, "<wire x1=\"0\" y1=\"0\" x2=\"%.1f\" y2=\"0\" width=\"0\" layer=\"20\"/>\n", size);
    put(out, "<wire x1=\"%.1f\" y1=\"0\" x2=\"%.1f\" y2=\"%.1f\" width=\"0\" layer=\"20\"/>\n", size, size, size);
    put(out, "<wire x1=\"%.1f\" y1=\"%.1f\" x2=\"0\" y2=\"%.1f\" width=\"0\" layer=\"20\"/>\n", size, size, size);
    put(out, "<wire x1=\"0\" y1=\"%.1f\" x2=\"0\" y2=\"0\" width=\"0\" layer=\"20\"/>\n", size);
    out += "</plain>\n<libraries>\n<library name=\"passive\">\n<packages>\n<package name=\"R0603\">\n";
    box(out, 0.8, 0.4, 21);
    out += "<smd name=\"1\" x=\"-0.75\" y=\"0\" dx=\"0.6\" dy=\"0.9\" layer=\"1\"/>\n"
           "<smd name=\"2\" x=\"0.75\" y=\"0\" dx=\"0.6\" dy=\"0.9\" layer=\"1\"/>\n"
           "<text x=\"0\" y=\"1\" size=\"0.6\" layer=\"25\">&gt;NAME</text>\n</package>\n"
           "<package name=\"C0805\">\n";
    box(out, 1.0, 0.625, 21);
    out += "<rectangle x1=\"-1.2\" y1=\"-0.8\" x2=\"1.2\" y2=\"0.8\" layer=\"39\"/>\n"
           "<smd name=\"1\" x=\"-0.95\" y=\"0\" dx=\"0.7\" dy=\"1.2\" layer=\"1\"/>\n"
           "<smd name=\"2\" x=\"0.95\" y=\"0\" dx=\"0.7\" dy=\"1.2\" layer=\"1\"/>\n</package>\n"
           "</packages>\n</library>\n<library name=\"ic\">\n<packages>\n<package name=\"SO8\">\n";
    box(out, 2.4, 1.9, 21);
    out += "<circle x=\"-1.8\" y=\"-1.3\" radius=\"0.3\" width=\"0.2\" layer=\"21\"/>\n"
           "<polygon width=\"0.1\" layer=\"39\">\n<vertex x=\"-2.6\" y=\"-3.4\"/>\n"
           "<vertex x=\"2.6\" y=\"-3.4\"/>\n<vertex x=\"2.6\" y=\"3.4\"/>\n<vertex x=\"-2.6\" y=\"3.4\"/>\n"
           "</polygon>\n";
    for (int i = 0; i < 4; ++i) {
        put(out, "<smd name=\"%d\" x=\"%.3f\" y=\"-2.6\" dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n", i + 1, -1.905 + i * 1.27);
        put(out, "<smd name=\"%d\" x=\"%.3f\" y=\"2.6\" dx=\"0.6\" dy=\"1.5\" layer=\"1\"/>\n", 8 - i, -1.905 + i * 1.27);
    }
    out += "</package>\n</packages>\n</library>\n<library name=\"mech\">\n<packages>\n"
           "<package name=\"HOLE-M3\">\n<circle x=\"0\" y=\"0\" radius=\"2.8\" width=\"0.2\" layer=\"21\"/>\n"
           "<hole x=\"0\" y=\"0\" drill=\"3.2\"/>\n</package>\n</packages>\n</library>\n"
           "</libraries>\n<elements>\n";

    static const struct {
        const char* prefix;
        const char* library;
        const char* package;
        const char* values[4];
    } kinds[] = {{"R", "passive", "R0603", {"10k", "4k7", "100R", ""}},
                 {"C", "passive", "C0805", {"100n", "10u", "22p", "1u"}},
                 {"U", "ic", "SO8", {"LM358", "NE555", "24C02", "TL072"}},
                 {"H", "mech", "HOLE-M3", {"M3", "M3", "M3", "M3"}}};
    static const char* const rotations[] = {"", " rot=\"R90\"", " rot=\"R180\"", " rot=\"R270\"",
                                            " rot=\"MR0\"", " rot=\"MR90\"", " rot=\"SMR180\"", " rot=\"MR270\""};
    int numbers[4] = {};
    for (int i = 0; i < n; ++i) {
        const int k = i % 17 == 0 ? 3 : (i * 7 + i / 5) % 3;
        put(out, "<element name=\"%s%d\" library=\"%s\" package=\"%s\" value=\"%s\" x=\"%.2f\" y=\"%.2f\"%s/>\n",
            kinds[k].prefix, ++numbers[k], kinds[k].library, kinds[k].package, kinds[k].values[(i / 3) % 4],
            2.0 + (i % columns) * pitch, 2.0 + (i / columns) * pitch, rotations[(i * 3 + i / 11) % 8]);
    }
    out += "</elements>\n<signals>\n</signals>\n</board>\n</drawing>\n</eagle>\n";
    return out;
}

}  // namespace tindral::bench
