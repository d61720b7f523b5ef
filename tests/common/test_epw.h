// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fmt/format.h>

#include <string>

// The test year of weather: four kinds of hours, in turn, and July all of the
// second kind: A -5 °C, 80 %, 101325 Pa, 4 m/s; B 25 °C without wind (no
// upward flow); C the temperature missing; D the wind missing.
inline std::string TestEpwHourLine(int index, int month, int day, int hour)
{
    static const char* const kinds[4] = {"-5.0,0.0,80,101325", "25.0,0.0,50,99000",
                                         "99.9,0.0,50,100000", "5.0,0.0,70,100000"};
    static const char* const winds[4] = {"4.0", "0.0", "2.0", "999"};
    const int kind = month == 7 ? 1 : index % 4;
    return fmt::format("1990,{},{},{},60,?9?9?9,{},0,0,0,0,0,0,0,0,0,0,180,{},5,5,10.0,77777,9\n",
                       month, day, hour, kinds[kind], winds[kind]);
}

// The whole file, every line ended by `lineEnd`.
inline std::string TestEpwText(const char* lineEnd = "\n")
{
    static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::string text = "LOCATION,Testowo,MAZ,POL,TEST,123450,52.17,20.97,1.0,107.0\n"
                       "DESIGN CONDITIONS,0\nTYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\n"
                       "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\nCOMMENTS 1,próba\nCOMMENTS 2,\n"
                       "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
    int index = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= kDaysInMonth[month - 1]; ++day) {
            for (int hour = 1; hour <= 24; ++hour)
                text += TestEpwHourLine(index++, month, day, hour);
        }
    }
    std::string ended;
    for (const char c : text)
        ended += c == '\n' ? std::string(lineEnd) : std::string(1, c);
    return ended;
}
