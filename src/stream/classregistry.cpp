#include "stream/classregistry.h"

#include <QMetaClassInfo>

QString StoredClassName(const QMetaObject& metaObject)
{
    const int index = metaObject.indexOfClassInfo("StoredName");
    // A base class's name is not the derived class's.
    if (index >= metaObject.classInfoOffset())
        return QString::fromLatin1(metaObject.classInfo(index).value());
    return QString::fromLatin1(metaObject.className());
}

void TClassRegistry::Register(const QString& className, Factory factory)
{
    m_factories[className.toLower()] = {className, std::move(factory)};
}

bool TClassRegistry::IsRegistered(const QString& className) const
{
    return m_factories.count(className.toLower()) != 0;
}

QObject* TClassRegistry::Create(const QString& className, QObject* parent) const
{
    const auto found = m_factories.find(className.toLower());
    if (found == m_factories.end())
        return nullptr;
    return found->second.second(parent);
}

QStringList TClassRegistry::ClassNames() const
{
    QStringList names;
    for (const auto& entry : m_factories)
        names.append(entry.second.first);
    return names;
}
