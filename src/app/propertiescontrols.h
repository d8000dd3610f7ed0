// The building blocks the calendar properties dialog's tabs share: a page, its column and its captions.
#pragma once

#include <QStringList>
#include <Qt>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

QWidget* NewPropertiesPage(const char* name);
QVBoxLayout* PropertiesPageColumn(QWidget* page);
QLabel* BoldCaption(const QString& text, QWidget* parent);
// A titled group of radio buttons whose ids are the item indexes.
QButtonGroup* RadioGroup(QGroupBox* box, const char* name, const QStringList& items, Qt::Orientation orientation);
QComboBox* NamedComboBox(QWidget* parent, const char* name, const QStringList& items);
