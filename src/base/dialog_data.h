#pragma once

// The data each modal dialog of the commands edits. The dialogs themselves live in the
// front ends; their checks are core functions beside the command that uses them.

#include <string>

namespace zv {

// A calendar date with a four-digit year.
struct CalendarDate {
    int day = 1;
    int month = 1;
    int year = 2000;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// "Aufwinde extrahieren": the window of lifts to extract and the new file.
struct LiftExtractDialogData {
    bool windFilter = false;
    float latLow = 0;
    float latHigh = 0;
    float lonLow = 0;
    float lonHigh = 0;
    int windFrom = 0;
    int windTo = 360;
    std::string fileName;
};

// "Flug einfügen": one flight entered by hand.
struct InsertFlightDialogData {
    CalendarDate date;
    std::string takeoffSite;
    int takeoffHour = 0;
    int takeoffMinute = 0;
    int takeoffAltitude = 0;
    int landingHour = 0;
    int landingMinute = 0;
    int landingAltitude = 0;
    double distance = 0;
};

// "Auswertung Flugstunden": the span of an evaluation.
struct TimeSpanDialogData {
    CalendarDate start;
    CalendarDate end;
    bool allFlights = false;
};

} // namespace zv
