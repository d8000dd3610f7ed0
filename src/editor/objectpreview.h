// A small window that shows placed objects off any page, at 100%: the samples of the objects' dialogs.
#pragma once

#include <QFrame>

class TQGraphicControl;

class TObjectPreview : public QFrame
{
    Q_OBJECT

public:
    explicit TObjectPreview(QWidget* parent = nullptr);

    // Takes the object into the preview (which then owns it) and repaints whenever it changes.
    void Show(TQGraphicControl* object);

protected:
    void paintEvent(QPaintEvent* event) override;
};
