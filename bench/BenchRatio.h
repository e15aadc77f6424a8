#pragma once

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <string>
#include <vector>

/// A ratio of two benchmarks' real times per iteration, with the aim it should
/// meet, printed after the run. Declare one at namespace scope, next to the
/// benchmarks it compares:
///
///     const BenchRatio chainSpeedUp("chain speed-up", "BM_Chain/threads:1", "BM_Chain/threads:0",
///                                   BenchRatio::Aim::AtLeast, 1.7);
///
/// Benchmarks are named as registered, with their arguments but without the
/// "/real_time" or repetition suffixes. A ratio whose benchmarks did not both
/// run (filtered out, or failed) is left out.
class BenchRatio {
public:
    enum class Aim { AtMost, AtLeast };

    BenchRatio(std::string name, std::string numerator, std::string denominator, Aim aim, double bound);

    /// The console reporter that also notes every run's time for the ratios.
    class Reporter : public benchmark::ConsoleReporter {
    public:
        void ReportRuns(const std::vector<Run>& runs) override;
        /// One line per ratio: its value, its aim and whether it meets it.
        void PrintRatios(std::ostream& out) const;

    private:
        std::vector<std::pair<std::string, double>> m_seconds;
    };

private:
    std::string m_name;
    std::string m_numerator;
    std::string m_denominator;
    Aim m_aim;
    double m_bound;
};
