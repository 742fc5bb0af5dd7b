// Writing the How to Play guide from the rank table, the growth score rows, the budget
// arithmetic and the tool table.
#include "shell/HowToPlayGuide.h"

#include "city/Budget.h"
#include "city/CityState.h"
#include "city/Simulation.h"
#include "shell/ToolPalette.h"

#include <cstdio>
#include <sstream>

using namespace city;

namespace {

const char* const kPound = "\xC2\xA3";

std::string NameOf(const CityState& city, int selector) {
    if (selector == kSelIndustrial)
        return "Industry";
    if (selector == kSelAirport)
        return "Airport";
    const TObjectType* type = city.TypeOf(selector);
    return type && !type->name.empty() ? type->name : "code " + std::to_string(selector);
}

std::string Signed(int points) { return (points > 0 ? "+" : "") + std::to_string(points); }

// A list of items wrapped into lines of at most width characters.
void Wrap(std::vector<std::string>& out, const std::string& lead, const std::vector<std::string>& items,
          std::size_t width = 84) {
    std::string line = lead;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string item = items[i] + (i + 1 < items.size() ? ", " : "");
        if (line.size() + item.size() > width && line.size() > lead.size()) {
            out.push_back(line);
            line = std::string(lead.size(), ' ');
        }
        line += item;
    }
    if (line.size() > lead.size())
        out.push_back(line);
}

// What one more object of a code adds to a budget line in a year at the city's own
// settings: the budget worked out for a map holding a hundred of them, divided out.
std::string YearlyCost(const CityState& city, int code, BudgetLine line) {
    CityState probe;
    probe.ObjectTypes = city.ObjectTypes;
    for (int i = 0; i < 100; ++i)
        probe.Cell(i % kMapSize, i / kMapSize).code = code;
    const BudgetFigures f = ComputeBudget(probe, StoredBudgetSettings(city));
    char text[32];
    std::snprintf(text, sizeof text, "%s%.1f", kPound, f.amounts[static_cast<std::size_t>(line)] / 100.0);
    std::string s = text;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0)
        s.resize(s.size() - 2);
    return s;
}

std::string RankLine(const CityState&, const RankRule& rule) {
    std::string needs;
    if (rule.noChurch)
        needs = "no Church";
    else if (rule.cathedral)
        needs = "a Church and a Cathedral";
    else if (rule.church)
        needs = "a Church";
    std::string people = rule.below ? "fewer than " + std::to_string(rule.below) + " people"
                                    : "more than " + std::to_string(rule.above) + " people";
    return "  " + RankName(rule.rank) + ": " + needs + ", " + people;
}

} // namespace

std::vector<std::string> HowToPlayGuide(const CityState& city) {
    std::vector<std::string> g;
    g.push_back("HOW A ZONE GROWS");
    g.push_back("Zone land for homes (R), shops (C) and industry (I). Once a month a zone");
    g.push_back("cell grows a building when all of these hold:");
    g.push_back("  - a cell next to it (above, below, left or right) has power: run power");
    g.push_back("    lines from a power plant;");
    g.push_back("  - a road lies within " + std::to_string(kRoadReach) + " cells, but not in the cell's own row or column;");
    g.push_back("  - there is demand for its kind: homes need jobs in shops and industry,");
    g.push_back("    shops need more homes than industry, industry more homes than shops;");
    g.push_back("  - the tax rate is at most " + std::to_string(kTaxGate) + ".");
    g.push_back("Click a zone with the Query tool: the report tells what it still lacks.");
    g.push_back("");
    g.push_back("BIGGER BUILDINGS");
    g.push_back("High-density zones score points for what lies near them. A score from " +
                std::to_string(kLevelTwoFrom) + " builds");
    g.push_back("level 2, from " + std::to_string(LevelThreeFrom(Demand::Residential)) + " (industry " +
                std::to_string(LevelThreeFrom(Demand::Industrial)) +
                ") level 3; a 2x2 or 3x3 block of the same zone");
    g.push_back("lets the bigger building fit. Each thing counts once when it lies within its");
    g.push_back("radius (thing, radius in cells, points):");
    const struct {
        Demand kind;
        const char* title;
    } kinds[] = {{Demand::Residential, "  Homes: "}, {Demand::Commercial, "  Shops: "}, {Demand::Industrial, "  Industry: "}};
    for (const auto& k : kinds) {
        std::vector<std::string> items;
        for (const ScoreRow& row : ScoreRows(k.kind))
            items.push_back(NameOf(city, row.selector) + " " + std::to_string(row.radius) + " " + Signed(row.points));
        if (k.kind == Demand::Residential)
            items.push_back("heavy pollution -3");
        if (k.kind == Demand::Industrial)
            items.push_back("a College anywhere " + Signed(kCollegeBonus));
        Wrap(g, k.title, items);
    }
    g.push_back("  Higher ranks add to every score: homes " + std::to_string(ScoreBase(Demand::Residential, 3)) +
                " from Town and " + std::to_string(ScoreBase(Demand::Residential, 5)) + " from Capitol.");
    g.push_back("");
    g.push_back("RANKS (checked each January, the first that fits)");
    for (const RankRule& rule : RankRules())
        g.push_back(RankLine(city, rule));
    g.push_back("  Build a Church early: without one a city stays a " + RankName(1) + ".");
    g.push_back("");
    g.push_back("WHAT THINGS COST EACH YEAR (at your budget settings)");
    Wrap(g, "  ",
         {"Road " + YearlyCost(city, kCodeRoad, kBudgetTransport),
          "Railway " + YearlyCost(city, kCodeRailway, kBudgetTransport),
          "Police Station " + YearlyCost(city, 101, kBudgetPolice),
          "Fire Station " + YearlyCost(city, 102, kBudgetFire), "Hospital " + YearlyCost(city, 103, kBudgetHospital),
          "School " + YearlyCost(city, 104, kBudgetEducation), "College " + YearlyCost(city, 105, kBudgetEducation)});
    g.push_back("  Property tax brings in half the tax rate for every person, once a year.");
    g.push_back("");
    g.push_back("WHEN THE MONEY RUNS OUT");
    g.push_back("  Below " + std::string(kPound) + "0 every tool is refused. In the budget panel each January");
    g.push_back("  (turn Auto Budget off in Options to see it) raise Property Taxes, up to " +
                std::to_string(kTaxGate) + " so");
    g.push_back("  the city still grows, and lower Transport and the services you can spare.");
    g.push_back("  Bulldoze roads that lead nowhere: each one costs its upkeep every year.");
    g.push_back("");
    g.push_back("PRICES");
    std::vector<std::string> prices;
    for (const ToolEntry& tool : ToolTable()) {
        std::vector<std::string> fields;
        std::stringstream line(tool.line);
        for (std::string field; std::getline(line, field, ';');)
            fields.push_back(field.size() > 1 && field[0] == ' ' ? field.substr(1) : field);
        if (fields.size() >= 5 && fields[4] != "0")
            prices.push_back(fields[3] + " " + kPound + fields[4]);
    }
    Wrap(g, "  ", prices);
    g.push_back("");
    g.push_back("MOUSE");
    g.push_back("  Click a tile to use the tool on it. Hold the button and drag, or shift-click");
    g.push_back("  two tiles, to build a line or an area: the outline shows what will be built");
    g.push_back("  (red where it cannot be) and its price. Escape or a right click forgets it.");
    return g;
}
