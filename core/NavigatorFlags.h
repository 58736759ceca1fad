#pragma once

// True while the matching navigator window is open; an entry window that closes asks
// the navigator to refresh its grids.
extern bool OrderNavigatorOpen;
extern bool ShipmentNavigatorOpen;
