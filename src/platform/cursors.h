// The screen cursor for long operations.
#pragma once

// Hourglass over the whole application until NormalCursor.
void BusyCursor();
void NormalCursor();
