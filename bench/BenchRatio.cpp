#include "bench/BenchRatio.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace {

std::vector<const BenchRatio*>& Ratios()
{
    static std::vector<const BenchRatio*> ratios;
    return ratios;
}

} // namespace

BenchRatio::BenchRatio(std::string name, std::string numerator, std::string denominator, Aim aim, double bound)
    : m_name(std::move(name))
    , m_numerator(std::move(numerator))
    , m_denominator(std::move(denominator))
    , m_aim(aim)
    , m_bound(bound)
{
    Ratios().push_back(this);
}

void BenchRatio::Reporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
            continue;
        const auto& name = run.run_name;
        m_seconds.emplace_back(name.function_name + (name.args.empty() ? "" : "/" + name.args),
                               run.real_accumulated_time / static_cast<double>(run.iterations));
    }
    ConsoleReporter::ReportRuns(runs);
}

void BenchRatio::Reporter::PrintRatios(std::ostream& out) const
{
    // With repetitions, the fastest run of each: the one least disturbed by other work.
    const auto fastest = [this](const std::string& benchmark) {
        double best = 0.0;
        for (const auto& [name, seconds] : m_seconds) {
            if (name == benchmark && (best == 0.0 || seconds < best))
                best = seconds;
        }
        return best;
    };
    for (const BenchRatio* ratio : Ratios()) {
        const double numerator = fastest(ratio->m_numerator);
        const double denominator = fastest(ratio->m_denominator);
        if (numerator <= 0.0 || denominator <= 0.0)
            continue;
        const double value = numerator / denominator;
        const bool atMost = ratio->m_aim == Aim::AtMost;
        const bool met = atMost ? value <= ratio->m_bound : value >= ratio->m_bound;
        out << std::fixed << std::setprecision(2) << ratio->m_name << ": " << ratio->m_numerator << " / "
            << ratio->m_denominator << " = " << value << " (aim " << (atMost ? "<= " : ">= ") << ratio->m_bound
            << (met ? ", met)" : ", NOT MET)") << '\n';
    }
}
