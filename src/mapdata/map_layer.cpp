#include "mapdata/map_layer.h"

namespace zv::map {

WorldRect MapLayer::bounds() const {
    WorldRect rect;
    for (const MapMark& mark : marks) {
        rect.add(mark.at);
    }
    rect.add(flight.bounds());
    rect.add(lifts.bounds());
    return rect;
}

std::size_t MapLayer::size() const {
    return marks.size() + flight.fixes().size() + lifts.size();
}

} // namespace zv::map
