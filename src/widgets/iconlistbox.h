// The icon list of the icon palette: a grid of XIcons columns by YIcons visible rows, items running down
// each column and then across, with a horizontal scroll bar when there are more icons than cells.
#pragma once

#include "customiconlistbox.h"

class TIconListBox : public TCustomIconListBox
{
    Q_OBJECT
    Q_PROPERTY(int XIcons READ XIcons WRITE SetXIcons)
    Q_PROPERTY(int YIcons READ YIcons WRITE SetYIcons)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
public:
    explicit TIconListBox(QWidget* parent = nullptr);

    int XIcons() const { return m_xIcons; }
    // Values that are not positive, or equal to the current one, are ignored.
    void SetXIcons(int value);
    int YIcons() const { return m_yIcons; }
    void SetYIcons(int value);
    QString Version() const { return QStringLiteral("TIconListBox v1.10"); }
    // The version is fixed; writing it does nothing.
    void SetVersion(const QString&) {}

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ResizeToIcons();
    void UpdateColumns();

    int m_xIcons = 4;
    int m_yIcons = 1;
};
