// How admin ends once its server is gone (the link lost, or shut down at the
// administrator's request): the administrator reads why in a message box,
// below it the cause of the link's end where the session knew one,
// the same text goes to the standard error for a start from a terminal, and
// the process ends at once with code 0. The program did what it was asked
// until the server went; a script that started it must not take the end of
// the server for a fault of admin's. Nothing is cleaned up: the sessions
// would wait for a server that is not there any more.
#pragma once

class QString;

[[noreturn]] void EndAdminForLostServer(const QString &lostServerText);
