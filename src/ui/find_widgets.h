#pragma once

#include <QString>
#include <QWidget>
#include <vector>

// The project's widgets carry no Q_OBJECT, so Qt's findChild<T> cannot tell them apart from any
// other widget; these look at the real type.

template <class T>
std::vector<T*> ChildrenOf(const QWidget& parent,
                           Qt::FindChildOptions options = Qt::FindChildrenRecursively) {
    std::vector<T*> found;
    for (QWidget* child : parent.findChildren<QWidget*>(QString(), options))
        if (T* typed = dynamic_cast<T*>(child))
            found.push_back(typed);
    return found;
}

// The child of that name and type, or null.
template <class T> T* ChildNamed(const QWidget& parent, const QString& name) {
    return dynamic_cast<T*>(parent.findChild<QWidget*>(name));
}
