// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/operating_point.h"

#include <vector>

// The scan's trial coefficients as the rule states them: -0.55 advanced by
// repeated addition of 1e-6 while K <= -0.005.
inline const std::vector<double>& AllTrials()
{
    static const std::vector<double> trials = [] {
        std::vector<double> k;
        for (double trial = -0.55; trial <= -0.005; trial += 1e-6)
            k.push_back(trial);
        return k;
    }();
    return trials;
}
