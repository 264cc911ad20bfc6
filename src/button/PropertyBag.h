#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <vector>

// The stored design of one button: typed values under keys that match without regard to case.
// Keeps the order in which keys were first written.
class PropertyBag
{
public:
    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<QString, QVariant>> values);

    bool contains(const QString &key) const;
    // The stored value, or def when the key is absent.
    QVariant read(const QString &key, const QVariant &def = QVariant()) const;
    // Replaces a value stored under the same key in any case.
    void write(const QString &key, const QVariant &value);
    bool remove(const QString &key);

    QStringList keys() const;
    int size() const { return int(m_entries.size()); }

private:
    int indexOf(const QString &key) const;
    std::vector<std::pair<QString, QVariant>> m_entries;
};

// A stored value that cannot become the property's type; loading the window fails with it.
class PropertyBagError : public std::runtime_error
{
public:
    PropertyBagError(const QString &key, const QVariant &value);
    QString key;
};
