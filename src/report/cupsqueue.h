// What the CUPS print server says about a queue and about the last request made to it.
#pragma once

#include <QString>

// The upper end of the queue's supported copies; an empty name is the default queue. 0 when the server
// cannot say (no server, no such queue, no such attribute).
int CupsMaxCopies(const QString& printerName);

// Why the last request this thread made to the print server failed (the toolkit's submission of a job
// included), in the server's words; empty when it succeeded or the server cannot be asked.
QString CupsLastRequestError();
