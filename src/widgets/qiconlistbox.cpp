#include "qiconlistbox.h"

TQIconListBox::TQIconListBox(QWidget* parent) : TCustomIconListBox(2, parent) {}

void TQIconListBox::SetOrientation(TListOrientation value)
{
    m_orientation = value;
    viewport()->update();
}
