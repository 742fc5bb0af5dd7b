// The narrow seam through which the simulation reaches the window that shows it.
#pragma once

#include <string>

// The simulation knows nothing of widgets, timers or surfaces: it asks its host to
// run command lines and to carry out the few effects on the window that the game
// needs. The shell implements it; tests use a recording fake.
class CityHost {
public:
    virtual ~CityHost() = default;

    // Runs one line of the command language.
    virtual void RunCommand(const std::string& line, bool echo, bool recordHistory) = 0;

    // True while a city is on screen (the city name bar is shown).
    virtual bool GameScreenShown() const = 0;
};
