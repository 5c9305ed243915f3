#pragma once

// The data rows of the point files, as their writers write them. Each function appends
// one row with its "\n" to `row`, so that a writer reuses one buffer for all its rows;
// the fuzz targets and tests call them on what the readers produce.

#include <string>
#include <string_view>

namespace zv {

struct Waypoint;

// An instrument waypoint or takeoff row, from degrees and minutes:
// "%-14s%2s%6s     %c  %2.0f %05.2f    %c  %2.0f %05.2f      %4d %-2s\n".
void appendZvWaypointRow(std::string& row, const Waypoint& point, std::string_view id,
                         std::string_view sign);

// An OziExplorer row, from decimal degrees, numbered `number`:
// "%4i,%-14s, %10.6f, %10.6f,33604.00000,%2d, 1, 4, %10d,%10d,%2s%5i %-2s " and 30 blanks,
// or "Steigwert %4.1f %-3s" and 11 blanks, then ", 0, 0,    0, -777\n".
void appendOziWaypointRow(std::string& row, int number, const Waypoint& point, bool withClimb);

// A lift row: "%-10s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    %3.1f %-4s    %03i
// %3i %-3s\n" (three blanks before the wind speed).
void appendLiftRow(std::string& row, const Waypoint& lift);

// A line-point row:
// "%-14s%c  %2.0f %05.2f   %c  %2.0f %05.2f    %4i %-2s    %4i    %4i\n".
void appendLineRow(std::string& row, const Waypoint& point);

} // namespace zv
