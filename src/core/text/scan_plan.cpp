#include "text/scan_plan.h"

#include <sys/stat.h>

#include <algorithm>

namespace lexvane::text {

std::int64_t RegularFileSize(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  return static_cast<std::int64_t>(info.st_size);
}

void ScanPlan::measure(const std::vector<std::string>& paths) {
  paths_ = paths;
  sizes_.clear();
  total_ = 0;
  for (const std::string& path : paths) {
    sizes_.push_back(RegularFileSize(path));
    total_ += sizes_.back();
  }
}

ScanPlan ScanPlan::InUnits(const std::vector<std::string>& paths, std::int64_t unitBytes) {
  ScanPlan plan;
  plan.measure(paths);
  for (std::size_t f = 0; f < paths.size(); ++f) {
    plan.firstUnit_.push_back(plan.units_.size());
    const std::int64_t size = plan.sizes_[f];
    const std::int64_t units =
        unitBytes <= 0 ? 1 : std::max<std::int64_t>(1, (size + unitBytes - 1) / unitBytes);
    for (std::int64_t k = 0; k < units; ++k)
      plan.units_.push_back({f, k * unitBytes, k + 1 == units ? -1 : (k + 1) * unitBytes, k == 0});
  }
  plan.firstUnit_.push_back(plan.units_.size());
  return plan;
}

ScanPlan ScanPlan::InShares(const std::vector<std::string>& paths, int shares) {
  ScanPlan plan;
  plan.measure(paths);
  shares = std::max(shares, 1);
  // Share t ends where the corpus reaches (t + 1) / shares of its bytes.
  const auto boundary = [&](int t) { return plan.total_ / shares * t; };
  std::int64_t before = 0;  // corpus bytes before the file
  int share = 0;
  plan.shareStart_.push_back(0);
  for (std::size_t f = 0; f < paths.size(); ++f) {
    plan.firstUnit_.push_back(plan.units_.size());
    const std::int64_t size = plan.sizes_[f];
    std::int64_t from = 0;
    bool first = true;
    // The shares that end inside this file cut it there.
    while (share + 1 < shares && boundary(share + 1) < before + size) {
      const std::int64_t at = boundary(share + 1) - before;
      if (at > from) {
        plan.units_.push_back({f, from, at, first});
        first = false;
        from = at;
      }
      ++share;
      plan.shareStart_.push_back(plan.units_.size());
    }
    plan.units_.push_back({f, from, -1, first});
    before += size;
  }
  plan.firstUnit_.push_back(plan.units_.size());
  while (static_cast<int>(plan.shareStart_.size()) < shares)
    plan.shareStart_.push_back(plan.units_.size());
  plan.shareStart_.push_back(plan.units_.size());
  return plan;
}

}  // namespace lexvane::text
