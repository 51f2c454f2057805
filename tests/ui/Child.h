// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QtGlobal>

// The one widget (or action, or any object) of type T named `name` among
// the children of `parent`, however deep. Tests reach a window's controls
// this way, by the object names the windows give them. A name that is
// missing or used twice stops the test program at once with the name,
// rather than failing later on a null pointer or the wrong control.
template <class T>
T* Child(const QObject* parent, const QString& name) {
    const QList<T*> found = parent->findChildren<T*>(name);
    if (found.size() != 1)
        qFatal("%s has %d children of type %s named \"%s\", not one", parent->metaObject()->className(),
               int(found.size()), T::staticMetaObject.className(), qPrintable(name));
    return found.front();
}
