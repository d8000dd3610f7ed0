// The plain icon list: one column of icons with a smaller margin, and an orientation that is kept for
// those who set it.
#pragma once

#include "customiconlistbox.h"

class TQIconListBox : public TCustomIconListBox
{
    Q_OBJECT
    Q_PROPERTY(TListOrientation Orientation READ Orientation WRITE SetOrientation)
public:
    enum TListOrientation { lbHorizontal, lbVertical };
    Q_ENUM(TListOrientation)

    explicit TQIconListBox(QWidget* parent = nullptr);

    TListOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TListOrientation value);

private:
    TListOrientation m_orientation = lbVertical;
};
