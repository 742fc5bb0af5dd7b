// Monthly samples of the city and their companion file.
#include "shell/CityHistory.h"

#include "city/CityState.h"

#include <charconv>
#include <sstream>

namespace {

constexpr const char* kHeading = "PLAZARO HISTORY 1";
// More months than any game runs: a count beyond it is damage, not history.
constexpr long kMostSamples = 12L * 100000;

bool ParseInt(const std::string& field, std::int32_t& out) {
    const char* first = field.data();
    const char* last = first + field.size();
    auto [end, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && end == last && !field.empty();
}

// Splits one line at ';' into exactly n fields.
bool Fields(const std::string& line, std::size_t n, std::vector<std::string>& out) {
    out.clear();
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ';'))
        out.push_back(field);
    return out.size() == n;
}

} // namespace

void CityHistory::Record(const CityState& city) {
    HistorySample s{city.year, city.month, city.residentialPop, city.commercialPop, city.industrialPop, city.funds};
    if (!samples_.empty() && samples_.back().year == s.year && samples_.back().month == s.month)
        samples_.back() = s;
    else
        samples_.push_back(s);
}

std::vector<std::string> CityHistory::Lines() const {
    std::vector<std::string> lines{kHeading, std::to_string(samples_.size())};
    lines.reserve(samples_.size() + 2);
    for (const HistorySample& s : samples_)
        lines.push_back(std::to_string(s.year) + ";" + std::to_string(s.month) + ";" + std::to_string(s.residential) +
                        ";" + std::to_string(s.commercial) + ";" + std::to_string(s.industrial) + ";" +
                        std::to_string(s.funds));
    return lines;
}

std::optional<CityHistory> CityHistory::Parse(const std::string& text, std::string& error) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    if (lines.empty() || lines[0] != kHeading) {
        error = "not a history file";
        return std::nullopt;
    }
    std::int32_t count = 0;
    if (lines.size() < 2 || !ParseInt(lines[1], count) || count < 0 || count > kMostSamples) {
        error = "the number of months is damaged";
        return std::nullopt;
    }
    if (lines.size() != static_cast<std::size_t>(count) + 2) {
        error = "it holds " + std::to_string(lines.size() - 2) + " months, not " + std::to_string(count);
        return std::nullopt;
    }
    CityHistory history;
    std::vector<std::string> f;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        HistorySample s;
        if (!Fields(lines[i], 6, f) || !ParseInt(f[0], s.year) || !ParseInt(f[1], s.month) ||
            !ParseInt(f[2], s.residential) || !ParseInt(f[3], s.commercial) || !ParseInt(f[4], s.industrial) ||
            !ParseInt(f[5], s.funds) || s.month < 1 || s.month > 12) {
            error = "line " + std::to_string(i + 1) + " is damaged";
            return std::nullopt;
        }
        // Months follow one another: one out of order is a damaged file.
        if (!history.samples_.empty()) {
            const HistorySample& p = history.samples_.back();
            if (s.year < p.year || (s.year == p.year && s.month <= p.month)) {
                error = "line " + std::to_string(i + 1) + " is out of order";
                return std::nullopt;
            }
        }
        history.samples_.push_back(s);
    }
    return history;
}
