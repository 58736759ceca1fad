#include "widgets/WindowEvents.h"

WindowEvents &WindowEvents::instance() {
    static WindowEvents events;
    return events;
}
