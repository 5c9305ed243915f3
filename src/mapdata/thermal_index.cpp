#include "mapdata/thermal_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zv::map {

namespace {

// A tile holds 2^cellBitsPerTile cells per side; the cells of zoom z are 2^(z + 2) per
// side of the world.
constexpr int cellBitsPerTile = 2;
static_assert(ThermalIndex::cellPixels << cellBitsPerTile == tilePixels);
// The fine grid of the keys: the cells of the deepest zoom level. A cell of zoom z holds
// the keys that agree in all but the last 2 * (maxZoom - z) bits.
constexpr int keyBits = maxZoom + cellBitsPerTile;
constexpr std::uint32_t blockSize = 64;

std::uint32_t cellOf(double world, int bits) {
    const double cells = std::ldexp(1.0, bits);
    const double cell = std::floor(world * cells);
    return static_cast<std::uint32_t>(std::clamp(cell, 0.0, cells - 1));
}

// The bits of a and b interleaved, b's in the odd places.
std::uint64_t interleave(std::uint32_t a, std::uint32_t b) {
    const auto spread = [](std::uint64_t v) {
        v &= 0xFFFFFFFF;
        v = (v | (v << 16)) & 0x0000FFFF0000FFFFULL;
        v = (v | (v << 8)) & 0x00FF00FF00FF00FFULL;
        v = (v | (v << 4)) & 0x0F0F0F0F0F0F0F0FULL;
        v = (v | (v << 2)) & 0x3333333333333333ULL;
        v = (v | (v << 1)) & 0x5555555555555555ULL;
        return v;
    };
    return spread(a) | (spread(b) << 1);
}

std::uint64_t keyOf(const WorldPoint& at) {
    return interleave(cellOf(at.x, keyBits), cellOf(at.y, keyBits));
}

} // namespace

ThermalIndex::ThermalIndex(std::vector<Thermal> thermals) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> order(thermals.size());
    for (std::size_t i = 0; i < thermals.size(); ++i) {
        order[i] = {keyOf(thermals[i].at), static_cast<std::uint32_t>(i)};
        bounds_.add(thermals[i].at);
    }
    std::sort(order.begin(), order.end());
    thermals_.reserve(thermals.size());
    keys_.reserve(thermals.size());
    for (const auto& [key, index] : order) {
        thermals_.push_back(thermals[index]);
        keys_.push_back(key);
    }
    blockSums_.resize(thermals_.size() / blockSize + 1);
    BlockSum sum;
    for (std::size_t i = 0; i < thermals_.size(); ++i) {
        if (i % blockSize == 0) {
            blockSums_[i / blockSize] = sum;
        }
        sum.x += thermals_[i].at.x;
        sum.y += thermals_[i].at.y;
        sum.climb += thermals_[i].climb;
    }
    if (thermals_.size() % blockSize == 0) {
        blockSums_.back() = sum;
    }
}

ThermalGroup ThermalIndex::groupOf(std::uint32_t first, std::uint32_t last) const {
    // The sums up to `end`: the block sums, then the lifts of the block that `end` is in.
    const auto sumUpTo = [this](std::uint32_t end) {
        BlockSum sum = blockSums_[end / blockSize];
        for (std::uint32_t i = end / blockSize * blockSize; i < end; ++i) {
            sum.x += thermals_[i].at.x;
            sum.y += thermals_[i].at.y;
            sum.climb += thermals_[i].climb;
        }
        return sum;
    };
    ThermalGroup group;
    group.first = first;
    group.count = last - first;
    if (group.count == 1) {
        group.at = thermals_[first].at;
        group.meanClimb = thermals_[first].climb;
        return group;
    }
    const BlockSum before = sumUpTo(first);
    const BlockSum upTo = sumUpTo(last);
    const double count = group.count;
    group.at = {(upTo.x - before.x) / count, (upTo.y - before.y) / count};
    group.meanClimb = static_cast<float>((upTo.climb - before.climb) / count);
    return group;
}

void ThermalIndex::forEachGroup(const WorldRect& area, int zoom,
                                const std::function<void(const ThermalGroup&)>& visit) const {
    if (thermals_.empty() || area.isEmpty() || !area.intersects(bounds_)) {
        return;
    }
    // The cells of this zoom level (but no finer than the keys) that touch the area.
    const int level = std::clamp(zoom, 0, maxZoom) + cellBitsPerTile;
    const int shift = 2 * (keyBits - level);
    const std::uint32_t left = cellOf(std::max(area.left, bounds_.left), level);
    const std::uint32_t right = cellOf(std::min(area.right, bounds_.right), level);
    const std::uint32_t top = cellOf(std::max(area.top, bounds_.top), level);
    const std::uint32_t bottom = cellOf(std::min(area.bottom, bounds_.bottom), level);
    const bool grouped = zoom <= deepestGroupedZoom;
    for (std::uint32_t y = top; y <= bottom; ++y) {
        for (std::uint32_t x = left; x <= right; ++x) {
            const std::uint64_t cell = interleave(x, y);
            const std::uint64_t low = cell << shift;
            const std::uint64_t high = (cell + 1) << shift;
            const auto begin = std::lower_bound(keys_.begin(), keys_.end(), low);
            const auto end = std::lower_bound(begin, keys_.end(), high);
            const auto first = static_cast<std::uint32_t>(begin - keys_.begin());
            const auto last = static_cast<std::uint32_t>(end - keys_.begin());
            if (first == last) {
                continue;
            }
            if (grouped) {
                visit(groupOf(first, last));
                continue;
            }
            for (std::uint32_t i = first; i < last; ++i) {
                visit(groupOf(i, i + 1));
            }
        }
    }
}

float ThermalIndex::strongestClimb(const ThermalGroup& group) const {
    float strongest = -std::numeric_limits<float>::infinity();
    for (std::uint32_t i = group.first; i < group.first + group.count; ++i) {
        strongest = std::max(strongest, thermals_[i].climb);
    }
    return strongest;
}

} // namespace zv::map
