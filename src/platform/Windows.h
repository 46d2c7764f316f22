#pragma once

#include <QPointer>
#include <QWidget>

namespace arb {

// The one loaded instance of window class T, or null. Windows are deleted
// when they are unloaded (closed), so a later show loads them afresh.
template<class T>
QPointer<T> &loadedWindow()
{
    static QPointer<T> instance;
    return instance;
}

// Shows a modeless window of class T: loads it when it is not open, then
// brings it to the front.
template<class T>
T *showWindow()
{
    QPointer<T> &instance = loadedWindow<T>();
    if (!instance) {
        instance = new T();
        instance->setAttribute(Qt::WA_DeleteOnClose);
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

} // namespace arb
