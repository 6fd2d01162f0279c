#pragma once

#include "model/IconPositions.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tessarin {

// The program that draws the icons of the Desktop folder (a file manager's desktop), as far as where
// it puts them: the positions it keeps for Desktop items, by item name, in its own units.
class IconHost {
public:
    virtual ~IconHost() = default;

    // For logs and the settings window: "caja", "xfdesktop", ...; "none" when no host runs.
    virtual std::string name() const = 0;
    // The section of a layout file that keeps this host's positions (hosts count in different units);
    // empty for a host whose positions cannot be read.
    virtual std::string layoutKey() const = 0;
    // The positions the host keeps for these Desktop items; names it keeps none for are left out.
    virtual IconPositions read(const std::vector<std::string>& names) = 0;
    // Records positions for these Desktop names and forgets those of `forget`. The items need not be on
    // the Desktop yet: a host that reads its records as items arrive puts them there at once.
    virtual void write(const IconPositions& positions, const std::vector<std::string>& forget) = 0;
    // False for a host that reads its records only when it starts: positions are then kept in the
    // store's layout files alone.
    virtual bool placesArrivingItems() const { return true; }

protected:
    IconHost() = default;
    IconHost(const IconHost&) = default;
    IconHost& operator=(const IconHost&) = default;
};

// A host's records could not be read or written; the text says why.
class IconHostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tessarin
