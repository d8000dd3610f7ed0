// Creates stream classes by their stored class name; documents, the clipboard file and clones read
// objects through it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <type_traits>

// The name a class is written under: the "StoredName" class info it declares itself, so that files do
// not change when the C++ name does; else its meta-object name.
QString StoredClassName(const QMetaObject& metaObject);

class TClassRegistry
{
public:
    using Factory = std::function<QObject*(QObject* parent)>;

    // A class under its stored name (StoredClassName). A widget class (one with parentWidget()) is created
    // with a widget parent; a parent that is not a widget then creates nothing.
    template <class T> void Register() { Register(StoredClassName(T::staticMetaObject), &Make<T>); }
    // A class under a given name with its own factory; a later registration of the name replaces it.
    void Register(const QString& className, Factory factory);

    bool IsRegistered(const QString& className) const;
    // A new object of the class with the parent, or nullptr when the name is unknown or the parent unsuitable.
    QObject* Create(const QString& className, QObject* parent) const;
    QStringList ClassNames() const;

private:
    template <class T> static QObject* Make(QObject* parent)
    {
        if constexpr (requires(const T& t) { t.parentWidget(); }) {
            using ParentType = std::remove_pointer_t<decltype(std::declval<const T&>().parentWidget())>;
            auto* widgetParent = qobject_cast<ParentType*>(parent);
            if (parent && !widgetParent)
                return nullptr;
            return new T(widgetParent);
        } else {
            return new T(parent);
        }
    }

    // Stored class names compare without regard to case, as identifiers in the stream do.
    std::map<QString, std::pair<QString, Factory>> m_factories;
};
