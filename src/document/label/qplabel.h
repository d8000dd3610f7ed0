// The text label the label tool places: the text label with a text entry dialog and a rotation menu.
#pragma once

#include "qbaselabel.h"

class TQPLabel : public TQBaseLabel
{
    Q_OBJECT
    // Documents name the kind so; the C++ name may change.
    Q_CLASSINFO("StoredName", "TQPLabel")

public:
    explicit TQPLabel(QObject* parent = nullptr);

    // The font dialog, then the label grows to the text.
    bool ShowFontDialog() override;
    // The "Text" command: asks for the caption; on OK sets it and grows to it.
    void EditText();
    // Runs EditText; the page calls it right after the label tool placed the label.
    void BeginEdit() { EditText(); }
    // What the label tool gives a new label (the surface's font at 20 points, opaque, framed), then
    // the text dialog.
    void StartFromTool();

protected:
    void AddMenuItems(QMenu& menu) override;
};
