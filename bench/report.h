// The one table `make bench` prints: every figure beside its reference from
// the same run, the ratio, and the goal with whether it was met.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace showsaver::bench {

// The figures of one benchmark: seconds per iteration and its counters, each
// the least over repetitions (the least disturbed measurement).
struct Measured {
  double seconds = 0.0;
  std::map<std::string, double> counters;
};
using Results = std::map<std::string, Measured>;

// Where a figure comes from: a benchmark's time per iteration, or one of its
// counters (in seconds).
struct Figure {
  std::string benchmark;
  std::string counter;  // empty: the time per iteration
};

struct Row {
  std::string section;
  std::string name;
  std::string size;
  Figure figure;
  std::string reference_name;
  Figure reference;
  double goal_ratio = 0.0;  // the ratio must not exceed it; 0: no goal
  // Further text after the goal, with its own goal check where it has one.
  std::function<std::string(const Results&)> note;
};

// Adds a row to the table; rows print in the order they were added.
void add_row(Row row);

// Collects the runs and prints the table at the end.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  Results results_;
};

// "12.3 ms", "456 us": a time in seconds, to three significant digits.
std::string format_time(double seconds);

// The figure's value in seconds, or a negative value when it was not run.
double value_of(const Results& results, const Figure& figure);

}  // namespace showsaver::bench
