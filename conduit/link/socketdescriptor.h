// What the client side and the listeners both do to a fresh socket
// descriptor before it becomes a handle.
#pragma once

// Handle 0 means failure to every caller, so descriptor 0 is never handed
// out: it is moved to a higher number (-1 when that fails).
int avoidZero(int fd);

// Sets a time-out option (SO_SNDTIMEO, SO_RCVTIMEO) in milliseconds.
void setMilliseconds(int fd, int option, int ms);
