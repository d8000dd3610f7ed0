// The About box: version and edition of Almarin.
#pragma once

#include <QDialog>

extern const char* const kAlmarinVersion;

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
