// A console reporter that also keeps each benchmark's real time per
// iteration (the median when runs are repeated), so that a benchmark program
// can print its ratio against the floor measured in the same run.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

class ratio_reporter : public benchmark::ConsoleReporter {
 public:
  ratio_reporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Iteration || median)
        times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // Real time per iteration by benchmark function name.
  std::map<std::string, double> times;
};
