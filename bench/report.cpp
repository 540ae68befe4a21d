#include "report.h"

#include <algorithm>
#include <cstdio>

namespace showsaver::bench {
namespace {

std::vector<Row>& rows() {
  static std::vector<Row> table;
  return table;
}

}  // namespace

void add_row(Row row) {
  rows().push_back(std::move(row));
}

std::string format_time(double seconds) {
  char text[32];
  if (seconds < 0) return "-";
  if (seconds >= 1e-3) {
    std::snprintf(text, sizeof text, "%.3g ms", seconds * 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.3g us", seconds * 1e6);
  }
  return text;
}

double value_of(const Results& results, const Figure& figure) {
  const auto found = results.find(figure.benchmark);
  if (found == results.end()) return -1.0;
  if (figure.counter.empty()) return found->second.seconds;
  const auto counter = found->second.counters.find(figure.counter);
  return counter == found->second.counters.end() ? -1.0 : counter->second;
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
    const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
    const auto [entry, fresh] = results_.try_emplace(run.run_name.function_name);
    Measured& measured = entry->second;
    measured.seconds = fresh ? seconds : std::min(measured.seconds, seconds);
    for (const auto& [name, counter] : run.counters) {
      const auto [value, added] = measured.counters.try_emplace(name, counter.value);
      if (!added) value->second = std::min(value->second, static_cast<double>(counter.value));
    }
  }
}

void TableReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf(
      "\nEach figure beside its reference from this run (the least time over iterations and "
      "repetitions).\nCaches:");
  for (const auto& cache : benchmark::CPUInfo::Get().caches) {
    std::printf(" L%d %s %d KiB%s;", cache.level, cache.type.c_str(), cache.size / 1024,
                cache.num_sharing > 1 ? " shared" : "");
  }
  std::printf(
      " 'in L2' surfaces fit the per-core L2; 'past L2' ones (3840x2160) do not.\n"
      "Time figures are noisy on a shared machine: rerun on a quiet one.\n");
  std::printf("%-34s %-34s %9s  %-28s %9s %6s  %-5s %-6s  %s\n", "case", "size", "time",
              "reference", "ref time", "ratio", "goal", "", "notes");
  std::string section;
  int met = 0;
  int missed = 0;
  for (const Row& row : rows()) {
    const double value = value_of(results_, row.figure);
    const double reference = value_of(results_, row.reference);
    if (value < 0) continue;  // filtered out of this run
    if (row.section != section) {
      section = row.section;
      std::printf("-- %s\n", section.c_str());
    }
    char ratio_text[16] = "-";
    char goal_text[16] = "";
    const char* status = "";
    if (reference > 0) {
      const double ratio = value / reference;
      std::snprintf(ratio_text, sizeof ratio_text, "%.2f", ratio);
      if (row.goal_ratio > 0) {
        std::snprintf(goal_text, sizeof goal_text, "<=%.2g", row.goal_ratio);
        const bool ok = ratio <= row.goal_ratio;
        status = ok ? "met" : "MISSED";
        ++(ok ? met : missed);
      }
    }
    const std::string note = row.note ? row.note(results_) : std::string();
    std::printf("%-34s %-34s %9s  %-28s %9s %6s  %-5s %-6s  %s\n", row.name.c_str(),
                row.size.c_str(), format_time(value).c_str(), row.reference_name.c_str(),
                format_time(reference).c_str(), ratio_text, goal_text, status, note.c_str());
  }
  std::printf("Ratio goals: %d met, %d missed.\n", met, missed);
}

}  // namespace showsaver::bench
