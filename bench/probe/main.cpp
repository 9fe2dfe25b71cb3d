// The benchmark's probe. Runs the given cases in interleaved rounds, so that a change of the
// machine's load falls on every case alike, and prints one tab-separated line per case.
//
//   probe exits ROUNDS --case NAME PROGRAM ARGS... [--case ...]
//     name, wall ms median/min/max, peak RSS KiB median/min/max, toolkit libraries mapped
//   probe maps ROUNDS SETTLE_MS --case NAME PROGRAM ARGS... [--case ...]
//     name, ms to map median/min/max, peak RSS KiB median/min/max, window WIDTHxHEIGHT
//
// A first round warms the caches (and the display) and is not counted. A run that fails makes
// the probe exit with status 2 after printing what it has.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "probe/command.h"
#include "probe/exit_run.h"
#include "probe/map_watch.h"
#include "probe/summary.h"

namespace {

using probe::Command;

struct Samples {
  std::vector<double> times;
  std::vector<double> peaks;
  std::string extra;
  int failures = 0;
};

// Round 0 is the warm-up; each round starts one case later so no case always goes first.
void runRounds(const std::vector<Command>& commands, int rounds, std::vector<Samples>& samples,
               const std::function<void(size_t, bool)>& runOne) {
  for (int round = 0; round <= rounds; ++round) {
    for (size_t k = 0; k < commands.size(); ++k) {
      runOne((k + static_cast<size_t>(round)) % commands.size(), round > 0);
    }
  }
  for (size_t i = 0; i < commands.size(); ++i) {
    if (samples[i].failures > 0)
      std::fprintf(stderr, "probe: %s: %d failed run(s)\n", commands[i].name.c_str(),
                   samples[i].failures);
  }
}

std::vector<Samples> measureExits(const std::vector<Command>& commands, int rounds) {
  std::vector<Samples> samples(commands.size());
  std::vector<std::set<std::string>> libraries(commands.size());
  runRounds(commands, rounds, samples, [&](size_t i, bool counted) {
    const auto time = probe::timedRun(commands[i]);
    const auto footprint = probe::tracedRun(commands[i]);
    if (!time || !footprint) {
      ++samples[i].failures;
      return;
    }
    libraries[i].insert(footprint->guiLibraries.begin(), footprint->guiLibraries.end());
    if (!counted) return;
    samples[i].times.push_back(*time);
    samples[i].peaks.push_back(static_cast<double>(footprint->peakKib));
  });
  for (size_t i = 0; i < commands.size(); ++i) {
    for (const std::string& library : libraries[i])
      samples[i].extra += (samples[i].extra.empty() ? "" : ",") + library;
    if (samples[i].extra.empty()) samples[i].extra = "none";
  }
  return samples;
}

std::vector<Samples> measureMaps(const std::vector<Command>& commands, int rounds,
                                 int settleMilliseconds) {
  std::vector<Samples> samples(commands.size());
  probe::MapWatch watch;
  runRounds(commands, rounds, samples, [&](size_t i, bool counted) {
    const auto shown = watch.show(commands[i], settleMilliseconds);
    if (!shown || shown->peakKib < 0) {
      ++samples[i].failures;
      return;
    }
    samples[i].extra = std::to_string(shown->width) + "x" + std::to_string(shown->height);
    if (!counted) return;
    samples[i].times.push_back(shown->mapMilliseconds);
    samples[i].peaks.push_back(static_cast<double>(shown->peakKib));
  });
  return samples;
}

int report(const std::vector<Command>& commands, const std::vector<Samples>& samples) {
  int status = 0;
  for (size_t i = 0; i < commands.size(); ++i) {
    const probe::Summary time = probe::summarise(samples[i].times);
    const probe::Summary peak = probe::summarise(samples[i].peaks);
    std::printf("%s\t%.2f\t%.2f\t%.2f\t%.0f\t%.0f\t%.0f\t%s\n", commands[i].name.c_str(),
                time.median, time.min, time.max, peak.median, peak.min, peak.max,
                samples[i].extra.c_str());
    if (samples[i].failures > 0) status = 2;
  }
  return status;
}

[[noreturn]] void usage() {
  std::fputs(
      "usage: probe exits ROUNDS --case NAME PROGRAM ARGS... [--case ...]\n"
      "       probe maps ROUNDS SETTLE_MS --case NAME PROGRAM ARGS... [--case ...]\n",
      stderr);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) usage();
  const std::string_view mode = argv[1];
  const int rounds = std::atoi(argv[2]);
  try {
    if (mode == "exits" && rounds > 0) {
      const auto commands = probe::parseCommands(argc, argv, 3);
      return report(commands, measureExits(commands, rounds));
    }
    if (mode == "maps" && rounds > 0 && argc > 3) {
      const auto commands = probe::parseCommands(argc, argv, 4);
      return report(commands, measureMaps(commands, rounds, std::atoi(argv[3])));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "probe: %s\n", error.what());
    return 1;
  }
  usage();
}
