// The master rich text object: one hidden rich text control on a window, found by its name, through which
// every rich text label on that window paints its text.
#pragma once

class QWidget;
class TWPRichText;

// Gives the window its hidden master rich text control, named "MASTERWPRICHTEXT".
TWPRichText* CreateMasterRichText(QWidget* form);
// The first rich text control on the object's window whose name, upper-cased, is "MASTERWPRICHTEXT";
// nullptr when the window has none.
TWPRichText* FindMasterRichText(const QWidget* object);
