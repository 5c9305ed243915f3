#pragma once

// The lifts of a lift file or of the whole lift database on the map, a million of them if
// need be: sorted along a Z-order curve of a fine grid, so that the lifts of every square
// cell of any zoom level lie side by side. A view then asks only for the cells it shows:
// a few hundred binary searches, whatever the number of lifts. Up to a zoom level the
// lifts of one cell (64 pixels) are drawn as one group with their number; deeper, each
// lift is drawn for itself.

#include "mapdata/web_mercator.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace zv::map {

struct Thermal {
    WorldPoint at;
    float climb = 0; // m/s
    std::int32_t altitude = 0;
    std::int16_t windDirection = 0; // degrees the wind comes from
    std::int16_t windSpeed = 0;
    std::array<char, 6> ident{}; // the lift's identifier as read (Windows-1252), blank padded
    std::uint8_t units = 0;      // which of its layer's units the numbers are in

    std::string_view identText() const { return {ident.data(), ident.size()}; }
};

// The lifts of one cell, or one lift alone (count 1).
struct ThermalGroup {
    WorldPoint at;           // the lift, or the mean place of the group's lifts
    std::uint32_t first = 0; // the group's lifts are thermals()[first .. first + count - 1]
    std::uint32_t count = 0;
    float meanClimb = 0;
};

class ThermalIndex {
public:
    // The side of a cell whose lifts are drawn as one group, in pixels.
    static constexpr int cellPixels = 64;
    // Up to this zoom level lifts are grouped by cells; deeper each is drawn alone.
    static constexpr int deepestGroupedZoom = 16;

    ThermalIndex() = default;
    explicit ThermalIndex(std::vector<Thermal> thermals);

    // The lifts in the index's order (not the file's).
    std::span<const Thermal> thermals() const { return thermals_; }
    std::size_t size() const { return thermals_.size(); }
    const WorldRect& bounds() const { return bounds_; }

    // Calls `visit` with every group (at `zoom` up to deepestGroupedZoom) or every single
    // lift (deeper) whose cell touches `area`, the part of the world a view shows: its
    // cells are looked up one by one.
    void forEachGroup(const WorldRect& area, int zoom,
                      const std::function<void(const ThermalGroup&)>& visit) const;

    // The strongest climb among a group's lifts.
    float strongestClimb(const ThermalGroup& group) const;

private:
    ThermalGroup groupOf(std::uint32_t first, std::uint32_t last) const;

    std::vector<Thermal> thermals_;
    std::vector<std::uint64_t> keys_; // the Z-order key of each lift, ascending
    // Sums of place and climb of every block of lifts before a block, for the mean of a
    // group without adding up each of its lifts.
    struct BlockSum {
        double x = 0;
        double y = 0;
        double climb = 0;
    };
    std::vector<BlockSum> blockSums_;
    WorldRect bounds_;
};

} // namespace zv::map
