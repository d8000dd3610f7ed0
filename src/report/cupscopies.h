// How many copies a CUPS queue makes of a job by itself, asked of the print server.
#pragma once

#include <QString>

// The upper end of the queue's supported copies; an empty name is the default queue. 0 when the server
// cannot say (no server, no such queue, no such attribute).
int CupsMaxCopies(const QString& printerName);
