// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"

#include <cstddef>
#include <limits>

// The rules by which a scan chooses its operating point, shared by the full
// scan and the fast one so that both choose alike. Points are visited in runs
// of consecutive scan points, in index order; a run may start without its
// previous point, so every point within the tolerance must lie in some run and
// both points of every change of sign in the same run.
class ScanSelection {
public:
    void Visit(const AirPath& path, std::size_t first, std::size_t last)
    {
        double trial = TrialCoefficient(first);
        double previousDifference = std::numeric_limits<double>::quiet_NaN();
        double previousTrial = 0.0;
        for (std::size_t i = first; i <= last; ++i, trial += kScanStep) {
            const double characteristic = TrialCharacteristic(path, trial);
            const double difference = trial - characteristic;
            const double distance = std::fabs(difference);
            if (distance <= kScanTolerance) {
                Event(i, i);
                Offer(overall_.within, distance, characteristic, Current().within);
            }
            if ((previousDifference < 0.0 && difference > 0.0) ||
                (previousDifference > 0.0 && difference < 0.0)) {
                Event(i - 1, i);
                Offer(overall_.crossing, std::fabs(previousDifference), previousTrial,
                      Current().crossing);
                Offer(overall_.crossing, distance, trial, Current().crossing);
            }
            previousDifference = difference;
            previousTrial = trial;
        }
    }

    // Points first..last, each known to lie within the tolerance but none of
    // them nearer than a point of the same operating point that is visited.
    void Cover(std::size_t first, std::size_t last)
    {
        if (first <= last)
            Event(first, last);
    }

    // True when every point met since `before` belongs to one operating point.
    bool OnePointSince(const ScanSelection& before) const
    {
        if (count_ == before.count_)
            return true;
        return count_ == before.count_ + 1 &&
               (before.count_ == 0 ||
                clusters_[before.count_ - 1].last == before.clusters_[before.count_ - 1].last);
    }

    ScanMatch Match() const
    {
        ScanMatch match;
        const bool within = overall_.within.found;
        if (!within && !overall_.crossing.found)
            return match;
        match.found = true;
        match.count = count_;
        for (std::size_t c = 0; c < count_; ++c)
            match.matches[c] = clusters_[c].Matched();
        match.chosen = within ? overall_.within.cluster : overall_.crossing.cluster;
        match.matched = match.matches[match.chosen];
        return match;
    }

private:
    struct Best {
        bool found = false;
        double distance = 1.0; // a first point within the tolerance always wins
        double matched = 0.0;
        std::size_t cluster = 0;
    };
    struct Cluster {
        std::size_t last = 0; // the last scan point of the operating point so far
        Best within;          // M = Cp of its nearest point within the tolerance
        Best crossing{false, std::numeric_limits<double>::infinity(), 0.0,
                      0}; // M = K of
                          // its nearest point beside a change of sign
        double Matched() const { return within.found ? within.matched : crossing.matched; }
    };

    // Points from..to belong to an operating point: the current one when they
    // follow it without a gap, otherwise a new one.
    void Event(std::size_t from, std::size_t to)
    {
        if (count_ == 0 || (from > Current().last + 1 && count_ < kMaxOperatingPoints))
            clusters_[count_++] = Cluster{};
        Current().last = to > Current().last ? to : Current().last;
    }

    Cluster& Current() { return clusters_[count_ - 1]; }

    // The smaller distance wins, the earlier point on a tie.
    void Offer(Best& overall, double distance, double matched, Best& cluster)
    {
        if (distance < cluster.distance)
            cluster = {true, distance, matched, count_ - 1};
        if (distance < overall.distance)
            overall = {true, distance, matched, count_ - 1};
    }

    struct Overall {
        Best within;
        Best crossing{false, std::numeric_limits<double>::infinity(), 0.0, 0};
    } overall_;
    Cluster clusters_[kMaxOperatingPoints];
    std::size_t count_ = 0;
};
