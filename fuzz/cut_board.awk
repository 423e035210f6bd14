# Cuts an Eagle board down to a small fuzzing seed: every section stays, but each parent keeps
# only its first N children (layers, libraries, packages, primitives, elements, signals...).
# Eagle writes one tag per line, so lines are the unit.  awk -v N=4 -f fuzz/cut_board.awk in.brd
BEGIN { if (!N) N = 4; depth = 0; skip = -1 }
{
    s = $0; opens = 0; closes = 0; child = 0; name = ""
    while (match(s, /<[^>]*>?/)) {
        tag = substr(s, RSTART, RLENGTH)
        s = substr(s, RSTART + RLENGTH)
        if (tag ~ /^<[?!]/) continue
        if (tag ~ /^<\//) { closes++; continue }
        if (!opens && !closes) child = 1
        if (tag !~ /\/>$/) {
            opens++
            name = tag; sub(/^</, "", name); sub(/[ \t\/>].*$/, "", name)
        }
    }
    d = depth
    depth += opens - closes
    if (skip >= 0) {
        if (depth <= skip) skip = -1
        next
    }
    if (child) {
        # The board's own sections are all kept; below them, the first N of each parent.
        if ((d >= 4 || (d == 3 && parent[d] != "board")) && ++count[d] > N) {
            if (depth > d) skip = d
            next
        }
    }
    if (depth > d) { parent[d + 1] = name; count[d + 1] = 0 }
    print
}
