// One event's maps; see eventmaprecord.h.
#include "admin/useragents/eventmaprecord.h"

void CEventMapRecord::Empty()
{
    recordNumber.clear();
    ownScenario = false;
    ownMap = EventMapValues();
    inheritedMap = EventMapValues();
}
