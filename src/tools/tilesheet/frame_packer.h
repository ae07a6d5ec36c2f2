#pragma once

#include <vector>

namespace sp::tools {

struct PackSize {
    int w = 0;
    int h = 0;
};

// Where a packed rectangle went: its bin and its top-left corner in it.
struct PackPlace {
    int bin = 0;
    int x = 0;
    int y = 0;
};

// Packs rectangles into as few bins as it can, no bin side above `maxSide`,
// by the maximal-rectangles method (best short side fit), larger rectangles
// first. Each bin is kept as small as it can be: a bin is first tried as the
// smallest square that could hold what is left, then grown until everything
// left fits or the limit is reached, and the rest goes on to a further bin.
// With `powerOfTwo` the trial sides are powers of two. `margin` is taken off
// each trial side before packing (the sheet's border). A rectangle that does not
// fit an empty bin is left out with bin -1; the result is the same for the same
// input.
struct PackResult {
    std::vector<PackPlace> places;  // in the order of the input
    std::vector<PackSize> bins;     // the extent the placed rectangles use in each bin
};
PackResult packRectangles(const std::vector<PackSize>& sizes, int maxSide, bool powerOfTwo,
                          int margin = 0);

}  // namespace sp::tools
