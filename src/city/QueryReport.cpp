// The query tool's report on a cell, written line by line at the foot of the screen.
#include "city/Budget.h"
#include "city/CityHost.h"
#include "city/CityState.h"
#include "city/Simulation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace city {

namespace {

std::string LevelWord(int value) {
    if (value <= 0)
        return "None";
    if (value <= 10)
        return "Low";
    if (value <= 20)
        return "Medium";
    if (value <= 30)
        return "High";
    return "Very High";
}

std::string ServiceWord(std::uint8_t marker) { return marker == 1 ? "Yes" : "No"; }

std::string ZonedWord(int code) {
    if (code >= 23 && code <= 29)
        return "Airport";
    if (code >= 30 && code <= 35)
        return "Seaport";
    if (code >= 48 && code <= 64)
        return "Residential";
    if (code >= 65 && code <= 81)
        return "Commercial";
    if (code >= 82 && code <= 98)
        return "Industrial";
    return "none";
}

// The one place where a report line is written: at x = 273 in the given slot.
class ReportWriter {
public:
    explicit ReportWriter(CityHost& host) : host_(host) {}
    void Line(const std::string& text, int slot) {
        host_.RunCommand("ECHO; " + text + "; 273; " + std::to_string(slot) + ";", false, false);
    }
    // The cell's crime and pollution levels, in slot and the one after.
    void Nuisances(const TMapCell& cell, int slot) {
        Line("Crime : " + LevelWord(cell.crime), slot);
        Line("Pollution : " + LevelWord(cell.pollution), slot + 1);
    }
    // Whether the cell has power, sewage and water, in slot and the two after.
    void Services(const TMapCell& cell, int slot) {
        Line("Power : " + ServiceWord(cell.powered), slot);
        Line("Sewage : " + ServiceWord(cell.sewered), slot + 1);
        Line("Water : " + ServiceWord(cell.watered), slot + 2);
    }

private:
    CityHost& host_;
};

// The zone a code is, if it is one: the kind that grows on it.
std::optional<Demand> ZoneKind(int code) {
    switch (code) {
    case 48: case 49: return Demand::Residential;
    case 65: case 66: return Demand::Commercial;
    case 82: case 83: return Demand::Industrial;
    default: return std::nullopt;
    }
}

} // namespace

int QueryReportLines(int reportKind) {
    switch (reportKind) {
    case 1: case 4: return 4;
    case 2: return 6;
    case 3: case 6: case 13: case 14: case 17: case 18: return 3;
    case 5: case 16: return 2;
    case 8: return 7;
    case 9: case 10: case 11: case 12: return 5;
    case 15: return 4;
    default: return 1;
    }
}

std::vector<std::string> GrowthHints(const CityState& state, int x, int y) {
    std::vector<std::string> reasons;
    if (!CityState::OnMap(x, y))
        return reasons;
    const auto kind = ZoneKind(state.Cell(x, y).code);
    if (!kind)
        return reasons;
    if (!PoweredNeighbour(state, x, y))
        reasons.push_back("Needs power next to it");
    if (!RoadWithinReach(state, x, y))
        reasons.push_back("Needs a road within " + std::to_string(kRoadReach));
    if (!DemandShort(state, *kind))
        reasons.push_back(*kind == Demand::Residential  ? "Little demand for homes"
                          : *kind == Demand::Commercial ? "Little demand for shops"
                                                        : "Little demand for industry");
    if (state.taxRate > kTaxGate)
        reasons.push_back("Tax above " + std::to_string(kTaxGate) + " stops growth");
    return reasons;
}

void Query(CityState& state, CityHost& host, int x, int y) {
    if (!CityState::OnMap(x, y))
        return;
    // The report holds the text area for two seconds.
    state.messageHold = 2000;
    if (state.Cell(x, y).code == kCodeCovered) {
        const int ax = state.Cell(x, y).anchorX, ay = state.Cell(x, y).anchorY;
        // A covered cell whose anchor lies off the map has nothing to report on.
        if (!CityState::OnMap(ax, ay))
            return;
        x = ax;
        y = ay;
    }
    const TMapCell& cell = state.Cell(x, y);
    const int code = cell.code;
    const TObjectType* type = state.TypeOf(code);
    const std::string name = type ? type->name : std::string();
    const int kind = type ? type->reportKind : 0;
    const int value = type ? type->value : 0;

    ReportWriter out(host);
    out.Line(name, 0);

    const std::array<int, 6> positions = BudgetPositions(state, host);
    switch (kind) {
    case 1:
        out.Line("Zoned : " + ZonedWord(code), 1);
        out.Nuisances(cell, 2);
        break;
    case 2:
        out.Nuisances(cell, 1);
        out.Services(cell, 3);
        break;
    case 3:
        out.Nuisances(cell, 1);
        break;
    case 4:
        out.Nuisances(cell, 1);
        out.Line("Cars / Min : " + std::to_string(cell.traffic), 3);
        break;
    case 5: {
        // Every other station of its kind shares the passengers the roads bring.
        const std::int64_t passengers =
            static_cast<std::int64_t>(state.CountCells(code) - 1) * (state.CountCells(kCodeRoad) / 10);
        out.Line("Passengers : " + std::to_string(passengers) + " / day", 1);
        break;
    }
    case 6:
        out.Line("Capacity : " + std::to_string(value / 3) + "MW", 1);
        out.Line("Remaining : " + std::to_string(state.powerLeft / 3) + "MW", 2);
        break;
    case 8:
        out.Line("Zoned : " + ZonedWord(code), 1);
        out.Nuisances(cell, 2);
        out.Services(cell, 4);
        break;
    case 9:
        out.Line("Officers : ", 1);
        out.Line("Crimes Reported : ", 2);
        out.Line("Arrests : ", 3);
        out.Line("Anual Cost : £" + std::to_string(positions[kBudgetPolice] * 3), 4);
        break;
    case 10:
        out.Line("Fire Fighters : ", 1);
        out.Line("Fire Engines : ", 2);
        out.Line("Responce Time : ", 3);
        out.Line("Anual Cost : £" + std::to_string(static_cast<std::int32_t>(positions[kBudgetFire] * 2.5)), 4);
        break;
    case 11:
        out.Line("Beds : ", 1);
        out.Line("Patients : ", 2);
        out.Line("Doctors : ", 3);
        out.Line("Anual Cost : £" + std::to_string(positions[kBudgetHospital] * 3), 4);
        break;
    case 12: {
        // The clicked school is of the counted code, so the count is at least one.
        const int schools = state.CountCells(code);
        const int students = schools > 0 ? state.residentialPop / schools : 0;
        out.Line("Capacity : " + std::to_string(value), 1);
        out.Line("Students : " + std::to_string(students), 2);
        out.Line("Teachers : " + std::to_string(state.educationFunding), 3);
        // With no teachers there is no class size to give; the line shows "-".
        out.Line("Class Size : " +
                     (state.educationFunding != 0 ? std::to_string(students / state.educationFunding) : std::string("-")),
                 4);
        break;
    }
    case 13:
        out.Line("Attendance : ", 1);
        out.Line("Books : ", 2);
        break;
    case 14:
        out.Line("Attendance : ", 1);
        out.Line("Exibits : ", 2);
        break;
    case 15: {
        // The report counts every Large Park of the city, whichever one is clicked;
        // with none on the map (a park of another code) nobody attends.
        const int parks = state.CountCells(109);
        const int attendance = parks > 0 ? state.residentialPop / 10 / parks : 0;
        out.Line("Attendance : " + std::to_string(attendance), 1);
        out.Line("Acres : " + std::to_string(parks * 4), 2);
        out.Line("Employes : " + std::to_string(parks * 10), 3);
        break;
    }
    case 16: {
        const int marinas = state.CountCells(kCodeMarina);
        out.Line("Boats : " + std::to_string(marinas * (state.Random(5) + 18)), 1);
        break;
    }
    case 17:
        out.Line("Capacity : " + std::to_string(value), 1);
        out.Line("Remaining : " + std::to_string(state.waterLeft), 2);
        break;
    case 18:
        out.Line("Capacity : " + std::to_string(value), 1);
        out.Line("Remaining : " + std::to_string(state.sewageLeft), 2);
        break;
    default:
        break;
    }
}

} // namespace city
