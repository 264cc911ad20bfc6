#include "button/PropertyBag.h"

PropertyBag::PropertyBag(std::initializer_list<std::pair<QString, QVariant>> values)
{
    for (const auto &v : values)
        write(v.first, v.second);
}

int PropertyBag::indexOf(const QString &key) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool PropertyBag::contains(const QString &key) const
{
    return indexOf(key) >= 0;
}

QVariant PropertyBag::read(const QString &key, const QVariant &def) const
{
    const int i = indexOf(key);
    return i < 0 ? def : m_entries[size_t(i)].second;
}

void PropertyBag::write(const QString &key, const QVariant &value)
{
    const int i = indexOf(key);
    if (i < 0)
        m_entries.emplace_back(key, value);
    else
        m_entries[size_t(i)].second = value;
}

bool PropertyBag::remove(const QString &key)
{
    const int i = indexOf(key);
    if (i < 0)
        return false;
    m_entries.erase(m_entries.begin() + i);
    return true;
}

QStringList PropertyBag::keys() const
{
    QStringList out;
    for (const auto &e : m_entries)
        out << e.first;
    return out;
}

PropertyBagError::PropertyBagError(const QString &k, const QVariant &value)
    : std::runtime_error(QStringLiteral("stored value of %1 cannot be read: %2")
                             .arg(k, value.toString())
                             .toStdString())
    , key(k)
{ }
