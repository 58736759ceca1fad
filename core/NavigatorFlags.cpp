#include "core/NavigatorFlags.h"

bool OrderNavigatorOpen = false;
bool ShipmentNavigatorOpen = false;
