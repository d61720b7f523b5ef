// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/rest_flow.h"
#include "weather/rest_lanes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

// Whether flows from rest meet a need [m3/h], as FlowsFromRest would say
// (the air flows, in the fit's range, with flowPerHour >= the need), bit for
// bit the same verdict for less work: an hour whose balance is clearly below
// or above zero around the need's flow is decided by a few products, and a
// bisection stops as soon as its interval settles the verdict, its lane
// taking the next query at once.
class MeetingCounter {
public:
    explicit MeetingCounter(double needPerHour, bool vectors = true);
    // The verdict of queries[index] goes to meets[index] as 1 or 0.
    void Record(std::span<std::uint8_t> meets) { record_ = meets; }
    // Decides the query at once, or starts its bisection beside the others.
    void Add(const RestQuery& query, std::size_t index);
    // Ends every bisection begun.
    void Finish();
    // The queries that meet the need, once finished.
    int Meeting() const { return meeting_; }

private:
    struct Terms {
        struct At {
            double q = 0.0;
            double sum = 0.0;      // S(q)
            double size = 0.0;     // the sum of |its terms|
            double positive = 0.0; // of its terms in q and q^3, those above 0
            double square = 0.0;   // Coef2 / A^2
        };
        std::array<double, 4> coef{};
        double area = -1.0;
        At below, above, top;
    };
    static Terms::At TermsAt(const AirPath& path, double q);
    const Terms& TermsOf(const AirPath& path);
    std::pair<double, double> Balance(const RestQuery& query, const Terms::At& at) const;
    bool SurelyBelow(const RestQuery& query, const Terms& terms) const;
    bool SurelyMeets(const RestQuery& query, const Terms& terms) const;
    double TopInRange(const AirPath& path) const;
    void Step();
    void Look(std::size_t lane);
    void Note(std::size_t index, bool meets);

    double need_;
    bool fourWide_;
    double below_; // a little under the need's flow [m3/s]
    double above_; // a little over it
    std::span<std::uint8_t> record_;
    int meeting_ = 0;
    // The terms of the last characteristic asked (the same for every hour
    // of a duct and a model).
    Terms terms_;
    rest_lanes::Lanes lanes_;
    std::array<AirPath, rest_lanes::kLanes> paths_{};
    std::array<bool, rest_lanes::kLanes> busy_{};
    std::array<int, rest_lanes::kLanes> steps_{};
};

// meets[i] = 1 where FlowsFromRest would give queries[i] a flow in range of
// at least `needPerHour` [m3/h], else 0.
void MeetsFromRest(std::span<const RestQuery> queries, double needPerHour,
                   std::span<std::uint8_t> meets, bool vectors = true);
