// The text of the How to Play guide, written from the game's own tables.
#pragma once

#include <string>
#include <vector>

class CityState;

// The guide for a new player, one line a row. Every number in it (the ranks, the
// growth scores, the yearly running costs at the current settings, the prices) is
// read from the tables the game itself plays by, so the guide never goes stale.
std::vector<std::string> HowToPlayGuide(const CityState& city);
