#pragma once

#include <vector>

namespace probe {

struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
};

// Median (the mean of the middle two for an even count), minimum and maximum; zeros when empty.
Summary summarise(std::vector<double> values);

}  // namespace probe
