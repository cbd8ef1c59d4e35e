#pragma once
// Finds a widget the way a user would, by its object name, and fails loudly listing what exists.
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace testing_support {
template <class T> T* findChild(QObject* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (!w) {
        QStringList names;
        for (QObject* o : parent->findChildren<QObject*>())
            if (!o->objectName().isEmpty()) names << o->objectName();
        ADD_FAILURE() << "no child named " << name.toStdString() << "; found: " << names.join(", ").toStdString();
    }
    return w;
}
} // namespace testing_support
