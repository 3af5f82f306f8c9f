// Holds back the messages posted to the calling thread's windows, their
// timers' included, for as long as it lives: a thread that waits for
// something and keeps its windows painting meanwhile still runs none of the
// code those messages start, as a thread blocked in a wait would not. What
// was held arrives in its order once the last hold of the thread goes (a
// timer's tick once, however often it ran out), each to a window still
// there. Messages sent from other threads go on being handled.
#pragma once

class CPostedMessageHold {
public:
    CPostedMessageHold();
    ~CPostedMessageHold();
    CPostedMessageHold(const CPostedMessageHold &) = delete;
    CPostedMessageHold &operator=(const CPostedMessageHold &) = delete;
};
