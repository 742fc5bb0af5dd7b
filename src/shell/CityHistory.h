// The city's history: its populations and funds once a month, for the graphs, and the
// companion file beside a city file that keeps them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CityState;

struct HistorySample {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t residential = 0;
    std::int32_t commercial = 0;
    std::int32_t industrial = 0;
    std::int32_t funds = 0;
    std::int64_t Total() const { return std::int64_t(residential) + commercial + industrial; }
    bool operator==(const HistorySample&) const = default;
};

class CityHistory {
public:
    const std::vector<HistorySample>& Samples() const { return samples_; }
    void Clear() { samples_.clear(); }
    // Takes the city's figures for the month it stands at; a second sample of the
    // same month replaces the first.
    void Record(const CityState& city);

    // The companion file of a city file: the same name with this suffix added.
    static constexpr const char* kSuffix = ".HIS";
    static std::string CompanionPath(const std::string& cityPath) { return cityPath + kSuffix; }

    // The file's lines: a heading, the number of samples, then one sample a line.
    std::vector<std::string> Lines() const;
    // Reads a companion file's text; nothing, with the reason, when it is damaged.
    static std::optional<CityHistory> Parse(const std::string& text, std::string& error);

    bool operator==(const CityHistory&) const = default;

private:
    std::vector<HistorySample> samples_;
};
