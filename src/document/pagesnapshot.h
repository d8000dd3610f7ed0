// The page as the undo history keeps it: the document's own bytes (the zoom does not enter them), and
// putting such a state back into the page.
#pragma once

#include <QByteArray>

class TPageDocument;

struct TPageSnapshot
{
    QByteArray bytes;
    bool operator==(const TPageSnapshot& other) const = default;
};

// Placed objects first take the bounds their next paint would give them, quietly: that is part of the
// change that made them paint anew.
TPageSnapshot TakePageSnapshot(TPageDocument& page);
// Puts the page into `target`. `current` is the snapshot of the page as it is now, so that only what
// differs is rebuilt; an empty one rebuilds everything. Objects keep their names, and the page its zoom;
// the page hears of the rebuilding before and after it, so that a view keeps its selection. Raises no
// change notification.
void RestorePageSnapshot(TPageDocument& page, const TPageSnapshot& current, const TPageSnapshot& target);
