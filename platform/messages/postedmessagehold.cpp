// See postedmessagehold.h; the holding itself is the window table's.
#include "platform/messages/postedmessagehold.h"

#include "windowtable.h"

CPostedMessageHold::CPostedMessageHold()
{
    MessageDetail::WindowTable::instance().holdPosted();
}

CPostedMessageHold::~CPostedMessageHold()
{
    MessageDetail::WindowTable::instance().releasePosted();
}
