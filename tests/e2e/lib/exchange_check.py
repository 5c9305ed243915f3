#!/usr/bin/env python3
"""Checks zv's exports and imports against what GPSBabel, an independent program, reads
and writes.

  exchange_check.py export KIND SOURCE CSV
      CSV is GPSBabel's unicsv of zv's export of SOURCE; KIND is waypoints (an instrument
      waypoint, route or takeoff site file), lifts or track. Names, coordinates (within
      1e-6 degrees of the value zv computes in single precision) and altitudes (metres)
      must be those of SOURCE, read here on its own.
  exchange_check.py import SOURCE_CSV WPT [ALTITUDE_TOLERANCE]
      WPT is zv's import of a file GPSBabel wrote from SOURCE_CSV (columns Name, Lat,
      Lon, Alt, Expected): the names must be the column Expected (Windows-1252 written as
      UTF-8 here), the positions those of the source within the two decimals of minutes
      the instrument writes, the altitudes the source's in whole metres.
"""
import csv
import re
import struct
import sys


def single(value):
    """The value as a 32-bit float holds it."""
    return struct.unpack("f", struct.pack("f", value))[0]


def text_to_decimal(letter, degrees, minutes, seconds, negative):
    value = single(float(degrees) + float(minutes) / 60 + float(seconds) / 3600)
    return -value if letter == negative else value


def metres(altitude, unit):
    return int(altitude) * 0.3048 if unit.lower() == "ft" else float(altitude)


def instrument_rows(path):
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").replace("\r\n", "\n").split("\n")
    for line in lines[7:]:
        if "@EOF" in line:
            break
        if len(line) > 2 and ";" not in line and not line.startswith("   "):
            yield line


WAYPOINT = re.compile(r"^(.{14})\s*(\S+)\s+(\S+)\s+([NS])\s+(\d+)\s+([\d.]+)(?:\s+([\d.]+))?"
                      r"\s+([EW])\s+(\d+)\s+([\d.]+)(?:\s+([\d.]+))?\s+(-?\d+)\s+(\S+)")
LIFT = re.compile(r"^(.{6})\S*\s*([NS])\s+(\d+)\s+([\d.]+)(?:\s+([\d.]+))?\s+([EW])\s+(\d+)"
                  r"\s+([\d.]+)(?:\s+([\d.]+))?\s+(-?\d+)\s+(\S+)")


def expected_waypoints(path):
    for line in instrument_rows(path):
        m = WAYPOINT.match(line)
        assert m, line
        yield (m.group(1).strip(),
               text_to_decimal(m.group(4), m.group(5), m.group(6), m.group(7) or 0, "S"),
               text_to_decimal(m.group(8), m.group(9), m.group(10), m.group(11) or 0, "W"),
               metres(m.group(12), m.group(13)))


def expected_lifts(path):
    for line in instrument_rows(path):
        m = LIFT.match(line)
        assert m, line
        lat = single(int(m.group(3)) + float(m.group(4)) / 60 + float(m.group(5) or 0) / 3600)
        lon = single(int(m.group(7)) + float(m.group(8)) / 60 + float(m.group(9) or 0) / 3600)
        yield (m.group(1).strip(), -lat if m.group(2) == "S" else lat,
               -lon if m.group(6) == "W" else lon, metres(m.group(10), m.group(11)))


def signed24(text):
    value = int(text, 16)
    return value - 0xFFFFFF if value > 0x7FFFFF else value


def scan_hex(line, widths):
    """The numbers of "%6x %6x %4x": each after optional white space, up to its width of
    hexadecimal digits; None when one is missing."""
    numbers, i = [], 0
    for width in widths:
        while i < len(line) and line[i] in " \t":
            i += 1
        digits = re.match(r"[0-9A-Fa-f]{1,%d}" % width, line[i:])
        if not digits:
            return None
        numbers.append(int(digits.group(0), 16))
        i += len(digits.group(0))
    return numbers


def signed24(value):
    return value - 0xFFFFFF if value > 0x7FFFFF else value


def expected_track(path):
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").splitlines()
    for line in lines[1:]:
        numbers = scan_hex(line, (6, 6, 4)) if len(line) > 15 else None
        if numbers:
            lat, lon = signed24(numbers[0]) / 6000, signed24(numbers[1]) / 6000
            if abs(lat) <= 90 and abs(lon) <= 180:
                yield (None, lat, lon, float(numbers[2]))


def read_unicsv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def check_export(kind, source, csv_path):
    expected = list({"waypoints": expected_waypoints, "lifts": expected_lifts,
                     "track": expected_track}[kind](source))
    rows = read_unicsv(csv_path)
    if len(rows) != len(expected):
        sys.exit(f"{csv_path}: {len(rows)} points, the source has {len(expected)}")
    for row, (name, lat, lon, alt) in zip(rows, expected):
        if name is not None and row["Name"] != name:
            sys.exit(f"{csv_path}: name {row['Name']!r}, the source has {name!r}")
        for column, value in (("Latitude", lat), ("Longitude", lon)):
            if abs(float(row[column]) - value) > 1e-6:
                sys.exit(f"{csv_path}: {column} {row[column]} of {name}, the source has {value:.7f}")
        if abs(float(row["Altitude"]) - alt) > 0.05:
            sys.exit(f"{csv_path}: altitude {row['Altitude']} of {name}, the source has {alt}")
    print(f"{csv_path}: {len(rows)} points as in the source")


def check_import(source_csv, wpt, tolerance):
    with open(source_csv, newline="", encoding="utf-8") as f:
        source = list(csv.DictReader(f))
    got = list(instrument_rows(wpt))
    if len(got) != len(source):
        sys.exit(f"{wpt}: {len(got)} waypoints, the source has {len(source)}")
    for line, row in zip(got, source):
        m = WAYPOINT.match(line.encode("cp1252").decode("cp1252"))
        assert m, line
        if m.group(1).rstrip() != row["Expected"]:
            sys.exit(f"{wpt}: name {m.group(1).rstrip()!r}, expected {row['Expected']!r}")
        lat = float(m.group(5)) + float(m.group(6)) / 60
        lon = float(m.group(9)) + float(m.group(10)) / 60
        lat = -lat if m.group(4) == "S" else lat
        lon = -lon if m.group(8) == "W" else lon
        for value, wanted in ((lat, float(row["Lat"])), (lon, float(row["Lon"]))):
            if abs(value - wanted) > 0.0051 / 60:
                sys.exit(f"{wpt}: position {value} of {row['Name']}, the source has {wanted}")
        if abs(int(m.group(12)) - round(float(row["Alt"]))) > tolerance:
            sys.exit(f"{wpt}: altitude {m.group(12)} of {row['Name']}, the source has {row['Alt']}")
    print(f"{wpt}: {len(got)} waypoints as in the source")


if __name__ == "__main__":
    if sys.argv[1] == "export":
        check_export(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        check_import(sys.argv[2], sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 0)
